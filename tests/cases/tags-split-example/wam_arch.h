/* lead */
  copied ahead of the block


   /*--- Begin Tag Generation ---*/

#define TAG_SIZE     		4
#define TAG_SIZE_LOW 		3
#define TAG_SIZE_HIGH		1
#define VALUE_SIZE   		60
#define TAG_MASK     		(PlULong)0x8000000000000007
#define VALUE_MASK   		(PlULong)0x7ffffffffffffff8
#define Tag_Mask_Of(w)		((PlLong) (w) & (TAG_MASK))
#define Tag_From_Tag_Mask(w) 	(((PlULong) (w) >> 60) | ((w) & 7))
#define Tag_Of(w)     		((((PlULong) (w) >> 63) << 3) | ((w) & 7))
#define TAG_T0_MASK		(PlULong)0
#define TAG_T1_MASK		(PlULong)0x3
#define TAG_T2_MASK		(PlULong)0x2
#define TAG_T3_MASK		(PlULong)0x8000000000000001
#define TAG_T4_MASK		(PlULong)0x8000000000000007
#define TAG_T5_MASK		(PlULong)0x5

#define NB_OF_TAGS       	6
#define T0         		0 
#define T1         		3 
#define T2         		2 
#define T3         		9 
#define T4         		15
#define T5         		5 

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 4)) >> 1) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 1) >> 4)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_T0(v)  		Tag_Address(TAG_T0_MASK, v)
#define Tag_T1(v)  		Tag_Address(TAG_T1_MASK, v)
#define Tag_T2(v)  		Tag_Short_Uns(TAG_T2_MASK, v)
#define Tag_T3(v)  		Tag_Short_Uns(TAG_T3_MASK, v)
#define Tag_T4(v)  		(((PlULong) (v) << 3) | TAG_MASK)
#define Tag_T5(v)  		Tag_Long_Int(TAG_T5_MASK, v)

#define UnTag_T0(w)  		((WamWord *) (w))
#define UnTag_T1(w)  		UnTag_Address(w)
#define UnTag_T2(w)  		((PlULong) (w) >> 3)
#define UnTag_T3(w)  		UnTag_Short_Uns(w)
#define UnTag_T4(w)  		UnTag_Long_Int(w)
#define UnTag_T5(w)  		UnTag_Long_Int(w)

#define Tag_Is_T0(w)  		(Tag_Mask_Of(w) == TAG_T0_MASK)
#define Tag_Is_T1(w)  		(Tag_Mask_Of(w) == TAG_T1_MASK)
#define Tag_Is_T2(w)  		(Tag_Mask_Of(w) == TAG_T2_MASK)
#define Tag_Is_T3(w)  		(Tag_Mask_Of(w) == TAG_T3_MASK)
#define Tag_Is_T4(w)  		(Tag_Mask_Of(w) == TAG_T4_MASK)
#define Tag_Is_T5(w)  		(Tag_Mask_Of(w) == TAG_T5_MASK)

typedef enum
{
  LONG_INT,
  SHORT_UNS,
  ADDRESS
}TypTag;

typedef struct
{
  char *name;
  TypTag type;
  int value;
  PlLong tag_mask;
}InfTag;


#ifdef ENGINE_FILE

InfTag pl_tag_tbl[] =
{
  { "T0", ADDRESS, 0, 0},
  { "T1", ADDRESS, 3, 0x3},
  { "T2", SHORT_UNS, 2, 0x2},
  { "T3", SHORT_UNS, 9, 0x8000000000000001},
  { "T4", LONG_INT, 15, 0x8000000000000007},
  { "T5", LONG_INT, 5, 0x5}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

/* tail */
