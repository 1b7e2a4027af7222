

   /*--- Begin Tag Generation ---*/

#define TAG_SIZE     		30
#define TAG_SIZE_LOW 		3
#define TAG_SIZE_HIGH		27
#define VALUE_SIZE   		34
#define TAG_MASK     		(PlULong)0xffffffe000000007
#define VALUE_MASK   		(PlULong)0x1ffffffff8
#define Tag_Mask_Of(w)		((PlLong) (w) & (TAG_MASK))
#define Tag_From_Tag_Mask(w) 	(((PlULong) (w) >> 34) | ((w) & 7))
#define Tag_Of(w)     		((((PlULong) (w) >> 37) << 3) | ((w) & 7))
#define TAG_A_MASK		(PlULong)0x2000000000
#define TAG_B_MASK		(PlULong)0xffffffe000000007

#define NB_OF_TAGS       	2
#define A          		8 
#define B          		1073741823

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 30)) >> 27) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 27) >> 30)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_A(v)  		Tag_Short_Uns(TAG_A_MASK, v)
#define Tag_B(v)  		(((PlULong) (v) << 3) | TAG_MASK)

#define UnTag_A(w)  		UnTag_Short_Uns(w)
#define UnTag_B(w)  		UnTag_Long_Int(w)

#define Tag_Is_A(w)  		(Tag_Mask_Of(w) == TAG_A_MASK)
#define Tag_Is_B(w)  		(Tag_Mask_Of(w) == TAG_B_MASK)

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
  { "A", SHORT_UNS, 8, 0x2000000000},
  { "B", LONG_INT, 1073741823, 0xffffffe000000007}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

