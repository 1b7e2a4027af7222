

   /*--- Begin Tag Generation ---*/

#define TAG_SIZE     		0
#define TAG_SIZE_LOW 		3
#define TAG_SIZE_HIGH		-3
#define VALUE_SIZE   		64
#define TAG_MASK     		(PlULong)0
#define VALUE_MASK   		(PlULong)0xffffffffffffffff
#define Tag_Mask_Of(w)		((PlLong) (w) & (TAG_MASK))
#define Tag_From_Tag_Mask(w) 	(w)
#define Tag_Of(w)     		Tag_Mask_Of(w)
#define TAG_Z_MASK		(PlULong)0

#define NB_OF_TAGS       	1
#define Z          		0 

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 0)) >> -3) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << -3) >> 0)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_Z(v)  		(((PlULong) (v) << 3) & VALUE_MASK)

#define UnTag_Z(w)  		UnTag_Long_Int(w)

#define Tag_Is_Z(w)  		(Tag_Mask_Of(w) == TAG_Z_MASK)

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
  { "Z", LONG_INT, 0, 0}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

