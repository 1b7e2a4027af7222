/*-------------------------------------------------------------------------*
 * Tarnhollow Prolog engine                                                *
 *                                                                         *
 * Architecture description of the abstract machine: its registers, the   *
 * tags of its 64-bit tagged word and its stacks.  pl_config copies these  *
 * lines into wam_arch.h and expands each section where it stands.         *
 *-------------------------------------------------------------------------*/

#define MAX_ARITY                  1024
#define NB_OF_X_REGS               1024

	/* X (argument) registers: the first words of the register bank */

#define X(x)                       (((WamWord *) pl_reg_bank)[x])
#define A(a)                       (((WamWord *) pl_reg_bank)[a])

/* Abstract machine registers, hottest group first: the engine's build hands
 * the machine registers it may reserve to the bank pointer and then to the
 * registers in this order. */


   /*--- Begin Register Generation ---*/

#ifdef ENGINE_FILE

       WamWord 			*pl_reg_bank;

#else

extern WamWord 			*pl_reg_bank;

#endif

#define TR			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+0])
#define B			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+1])
#define H			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+2])
#define HB1			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+3])
#define CP			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+4])
#define E			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+5])
#define CS			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+6])
#define S			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+7])
#define STAMP			(((WamWord  *) pl_reg_bank)[NB_OF_X_REGS+8])
#define BCI			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+9])
#define LSSA			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+10])
#define BUFFP			(((WamWordP *) pl_reg_bank)[NB_OF_X_REGS+11])


#define NB_OF_REGS          	12
#define NB_OF_ALLOC_REGS    	0
#define NB_OF_NOT_ALLOC_REGS	12
#define REG_BANK_SIZE       	(NB_OF_X_REGS+NB_OF_NOT_ALLOC_REGS)




#define NB_OF_USED_MACHINE_REGS 0

#ifdef ENGINE_FILE

WamWord *save_reg_bank;

char *pl_reg_tbl[] = { "TR", "B", "H", "HB1", "CP", "E", "CS", "S", "STAMP", "BCI", "LSSA", "BUFFP"};

#else

extern WamWord *save_reg_bank;

extern char *pl_reg_tbl[];

#endif

#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x


#define Reg(i)			(((i)==0) ? (WamWord) TR 	: \
				 ((i)==1) ? (WamWord) B  	: \
				 ((i)==2) ? (WamWord) H  	: \
				 ((i)==3) ? (WamWord) HB1	: \
				 ((i)==4) ? (WamWord) CP 	: \
				 ((i)==5) ? (WamWord) E  	: \
				 ((i)==6) ? (WamWord) CS 	: \
				 ((i)==7) ? (WamWord) S  	: \
				 ((i)==8) ? (WamWord) STAMP	: \
				 ((i)==9) ? (WamWord) BCI	: \
				 ((i)==10) ? (WamWord) LSSA	: \
				            (WamWord) BUFFP)




#define Save_All_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) TR; \
    buff_save[1] = (WamWord) B; \
    buff_save[2] = (WamWord) H; \
    buff_save[3] = (WamWord) HB1; \
    buff_save[4] = (WamWord) CP; \
    buff_save[5] = (WamWord) E; \
    buff_save[6] = (WamWord) CS; \
    buff_save[7] = (WamWord) S; \
    buff_save[8] = (WamWord) STAMP; \
    buff_save[9] = (WamWord) BCI; \
    buff_save[10] = (WamWord) LSSA; \
    buff_save[11] = (WamWord) BUFFP; \
  } while(0)




#define Restore_All_Regs(buff_save) \
  do { \
    TR     = (WamWordP) buff_save[0]; \
    B      = (WamWordP) buff_save[1]; \
    H      = (WamWordP) buff_save[2]; \
    HB1    = (WamWordP) buff_save[3]; \
    CP     = (WamWordP) buff_save[4]; \
    E      = (WamWordP) buff_save[5]; \
    CS     = (WamWordP) buff_save[6]; \
    S      = (WamWordP) buff_save[7]; \
    STAMP  = (WamWord ) buff_save[8]; \
    BCI    = (WamWordP) buff_save[9]; \
    LSSA   = (WamWordP) buff_save[10]; \
    BUFFP  = (WamWordP) buff_save[11]; \
  } while(0)




#define Save_Machine_Regs(buff_save) \
  do { \
  } while(0)


#define Restore_Machine_Regs(buff_save) \
  do { \
  } while(0)




#define Start_Protect_Regs_For_Signal


#define Stop_Protect_Regs_For_Signal


#define Restore_Protect_Regs_For_Signal


   /*--- End Register Generation ---*/


#define HB                         HB1
#define Local_Top                  ((B >= E) ? B : E)

/* Tagged words: three low tag bits, the rest of the tag in the top bits. */


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
#define TAG_REF_MASK		(PlULong)0
#define TAG_LST_MASK		(PlULong)0x1
#define TAG_STC_MASK		(PlULong)0x2
#define TAG_FLT_MASK		(PlULong)0x3
#define TAG_FDV_MASK		(PlULong)0x4
#define TAG_ATM_MASK		(PlULong)0x5
#define TAG_CHR_MASK		(PlULong)0x8000000000000001
#define TAG_INT_MASK		(PlULong)0x8000000000000007

#define NB_OF_TAGS       	8
#define REF        		0 
#define LST        		1 
#define STC        		2 
#define FLT        		3 
#define FDV        		4 
#define ATM        		5 
#define CHR        		9 
#define INT        		15

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 4)) >> 1) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 1) >> 4)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_REF(v)  		Tag_Address(TAG_REF_MASK, v)
#define Tag_LST(v)  		Tag_Address(TAG_LST_MASK, v)
#define Tag_STC(v)  		Tag_Address(TAG_STC_MASK, v)
#define Tag_FLT(v)  		Tag_Address(TAG_FLT_MASK, v)
#define Tag_FDV(v)  		Tag_Address(TAG_FDV_MASK, v)
#define Tag_ATM(v)  		Tag_Short_Uns(TAG_ATM_MASK, v)
#define Tag_CHR(v)  		Tag_Short_Uns(TAG_CHR_MASK, v)
#define Tag_INT(v)  		(((PlULong) (v) << 3) | TAG_MASK)

#define UnTag_REF(w)  		((WamWord *) (w))
#define UnTag_LST(w)  		UnTag_Address(w)
#define UnTag_STC(w)  		UnTag_Address(w)
#define UnTag_FLT(w)  		UnTag_Address(w)
#define UnTag_FDV(w)  		UnTag_Address(w)
#define UnTag_ATM(w)  		UnTag_Short_Uns(w)
#define UnTag_CHR(w)  		UnTag_Short_Uns(w)
#define UnTag_INT(w)  		UnTag_Long_Int(w)

#define Tag_Is_REF(w)  		(Tag_Mask_Of(w) == TAG_REF_MASK)
#define Tag_Is_LST(w)  		(Tag_Mask_Of(w) == TAG_LST_MASK)
#define Tag_Is_STC(w)  		(Tag_Mask_Of(w) == TAG_STC_MASK)
#define Tag_Is_FLT(w)  		(Tag_Mask_Of(w) == TAG_FLT_MASK)
#define Tag_Is_FDV(w)  		(Tag_Mask_Of(w) == TAG_FDV_MASK)
#define Tag_Is_ATM(w)  		(Tag_Mask_Of(w) == TAG_ATM_MASK)
#define Tag_Is_CHR(w)  		(Tag_Mask_Of(w) == TAG_CHR_MASK)
#define Tag_Is_INT(w)  		(Tag_Mask_Of(w) == TAG_INT_MASK)

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
  { "REF", ADDRESS, 0, 0},
  { "LST", ADDRESS, 1, 0x1},
  { "STC", ADDRESS, 2, 0x2},
  { "FLT", ADDRESS, 3, 0x3},
  { "FDV", ADDRESS, 4, 0x4},
  { "ATM", SHORT_UNS, 5, 0x5},
  { "CHR", SHORT_UNS, 9, 0x8000000000000001},
  { "INT", LONG_INT, 15, 0x8000000000000007}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/


	/* Stacks: sizes are in units of 128 words */



   /*--- Begin Stack Generation ---*/

#include "wam_stacks.h"


   /*--- End Stack Generation ---*/


#define Global_Stack_Start         Global_Stack
