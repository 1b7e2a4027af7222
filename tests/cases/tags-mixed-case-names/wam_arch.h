

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
#define TAG_Zero_MASK		(PlULong)0
#define TAG_One_MASK		(PlULong)0x1
#define TAG_Two_MASK		(PlULong)0x2
#define TAG_Five_MASK		(PlULong)0x5

#define NB_OF_TAGS       	4
#define Zero       		0 
#define One        		1 
#define Two        		2 
#define Five       		5 

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 3)) >> 0) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 0) >> 3)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_Zero(v)  		(((PlULong) (v) << 3) & VALUE_MASK)
#define Tag_One(v)  		Tag_Long_Int(TAG_One_MASK, v)
#define Tag_Two(v)  		Tag_Address(TAG_Two_MASK, v)
#define Tag_Five(v)  		Tag_Short_Uns(TAG_Five_MASK, v)

#define UnTag_Zero(w)  		UnTag_Long_Int(w)
#define UnTag_One(w)  		UnTag_Long_Int(w)
#define UnTag_Two(w)  		UnTag_Address(w)
#define UnTag_Five(w)  		UnTag_Short_Uns(w)

#define Tag_Is_Zero(w)  		(Tag_Mask_Of(w) == TAG_Zero_MASK)
#define Tag_Is_One(w)  		(Tag_Mask_Of(w) == TAG_One_MASK)
#define Tag_Is_Two(w)  		(Tag_Mask_Of(w) == TAG_Two_MASK)
#define Tag_Is_Five(w)  		(Tag_Mask_Of(w) == TAG_Five_MASK)

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
  { "Zero", LONG_INT, 0, 0},
  { "One", LONG_INT, 1, 0x1},
  { "Two", ADDRESS, 2, 0x2},
  { "Five", SHORT_UNS, 5, 0x5}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

