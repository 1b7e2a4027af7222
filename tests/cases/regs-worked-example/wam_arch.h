/* registers */
 /* bank layout */


   /*--- Begin Register Generation ---*/

#ifdef ENGINE_FILE

       WamWord 			*pl_reg_bank;

#else

extern WamWord 			*pl_reg_bank;

#endif

#define R1			(((WamWordP *) pl_reg_bank)[1+0])
#define R2			(((WamWord  *) pl_reg_bank)[1+1])
#define R3			(((WamWord  *) pl_reg_bank)[1+2])


#define NB_OF_REGS          	3
#define NB_OF_ALLOC_REGS    	0
#define NB_OF_NOT_ALLOC_REGS	3
#define REG_BANK_SIZE       	(1+NB_OF_NOT_ALLOC_REGS)




#define NB_OF_USED_MACHINE_REGS 0

#ifdef ENGINE_FILE

WamWord *save_reg_bank;

char *pl_reg_tbl[] = { "R1", "R2", "R3"};

#else

extern WamWord *save_reg_bank;

extern char *pl_reg_tbl[];

#endif

#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x


#define Reg(i)			(((i)==0) ? (WamWord) R1 	: \
				 ((i)==1) ? (WamWord) R2 	: \
				            (WamWord) R3)




#define Save_All_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) R1; \
    buff_save[1] = (WamWord) R2; \
    buff_save[2] = (WamWord) R3; \
  } while(0)




#define Restore_All_Regs(buff_save) \
  do { \
    R1     = (WamWordP) buff_save[0]; \
    R2     = (WamWord ) buff_save[1]; \
    R3     = (WamWord ) buff_save[2]; \
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

tail
