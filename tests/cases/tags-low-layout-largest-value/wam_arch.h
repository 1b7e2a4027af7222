

   /*--- Begin Tag Generation ---*/

#define TAG_SIZE     		3
#define TAG_SIZE_LOW 		3
#define TAG_SIZE_HIGH		0
#define VALUE_SIZE   		61
#define TAG_MASK     		(PlULong)0x7
#define VALUE_MASK   		(PlULong)0xfffffffffffffff8
#define Tag_Mask_Of(w)		((PlLong) (w) & (TAG_MASK))
#define Tag_From_Tag_Mask(w) 	(w)
#define Tag_Of(w)     		Tag_Mask_Of(w)
#define TAG_A_MASK		(PlULong)0x7
#define TAG_S_MASK		(PlULong)0x3
#define TAG_U_MASK		(PlULong)0x4

#define NB_OF_TAGS       	3
#define A          		7 
#define S          		3 
#define U          		4 

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 3)) >> 0) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 0) >> 3)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_A(v)  		(((PlULong) (v) << 3) | TAG_MASK)
#define Tag_S(v)  		Tag_Short_Uns(TAG_S_MASK, v)
#define Tag_U(v)  		Tag_Short_Uns(TAG_U_MASK, v)

#define UnTag_A(w)  		UnTag_Long_Int(w)
#define UnTag_S(w)  		((PlULong) (w) >> 3)
#define UnTag_U(w)  		UnTag_Short_Uns(w)

#define Tag_Is_A(w)  		(Tag_Mask_Of(w) == TAG_A_MASK)
#define Tag_Is_S(w)  		(Tag_Mask_Of(w) == TAG_S_MASK)
#define Tag_Is_U(w)  		(Tag_Mask_Of(w) == TAG_U_MASK)

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
  { "A", LONG_INT, 7, 0x7},
  { "S", SHORT_UNS, 3, 0x3},
  { "U", SHORT_UNS, 4, 0x4}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

