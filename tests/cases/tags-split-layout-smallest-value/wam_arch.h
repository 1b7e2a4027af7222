

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
#define TAG_A_MASK		(PlULong)0x8000000000000000

#define NB_OF_TAGS       	1
#define A          		8 

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 4)) >> 1) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 1) >> 4)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_A(v)  		Tag_Long_Int(TAG_A_MASK, v)

#define UnTag_A(w)  		UnTag_Long_Int(w)

#define Tag_Is_A(w)  		(Tag_Mask_Of(w) == TAG_A_MASK)

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
  { "A", LONG_INT, 8, 0x8000000000000000}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

