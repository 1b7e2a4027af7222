

   /*--- Begin Register Generation ---*/

register WamWord 		*pl_reg_bank asm ("m1");

#define R1			(((WamWord  *) pl_reg_bank)[0])


#define NB_OF_REGS          	1
#define NB_OF_ALLOC_REGS    	0
#define NB_OF_NOT_ALLOC_REGS	1
#define REG_BANK_SIZE       	(NB_OF_NOT_ALLOC_REGS)




#define NB_OF_USED_MACHINE_REGS 1

#ifdef ENGINE_FILE

WamWord *save_reg_bank;

char *pl_reg_tbl[] = { "R1"};

#else

extern WamWord *save_reg_bank;

extern char *pl_reg_tbl[];

#endif

#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x


#define Reg(i)			(           (WamWord) R1)




#define Save_All_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) R1; \
  } while(0)




#define Restore_All_Regs(buff_save) \
  do { \
    R1     = (WamWord ) buff_save[0]; \
  } while(0)




#define Save_Machine_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) pl_reg_bank; \
  } while(0)


#define Restore_Machine_Regs(buff_save) \
  do { \
    pl_reg_bank = (WamWordP) buff_save[0]; \
  } while(0)




#define Start_Protect_Regs_For_Signal


#define Stop_Protect_Regs_For_Signal


#define Restore_Protect_Regs_For_Signal


   /*--- End Register Generation ---*/



   /*--- Begin Register Generation ---*/

register WamWord 		*pl_reg_bank asm ("m1");

#define R1			(((WamWord  *) pl_reg_bank)[0])


#define NB_OF_REGS          	1
#define NB_OF_ALLOC_REGS    	0
#define NB_OF_NOT_ALLOC_REGS	1
#define REG_BANK_SIZE       	(NB_OF_NOT_ALLOC_REGS)




#define NB_OF_USED_MACHINE_REGS 2

#ifdef ENGINE_FILE

WamWord *save_reg_bank;

WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];

char *pl_reg_tbl[] = { "R1"};

#else

extern WamWord *save_reg_bank;

extern WamWord pl_buff_signal_reg[];

extern char *pl_reg_tbl[];

#endif

#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x


#define Reg(i)			(           (WamWord) R1)




#define Save_All_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) R1; \
  } while(0)




#define Restore_All_Regs(buff_save) \
  do { \
    R1     = (WamWord ) buff_save[0]; \
  } while(0)




#define Save_Machine_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) pl_reg_bank; \
    buff_save[1] = (WamWord) pl_reg_bank; \
  } while(0)


#define Restore_Machine_Regs(buff_save) \
  do { \
    pl_reg_bank = (WamWordP) buff_save[0]; \
    pl_reg_bank = (WamWordP) buff_save[1]; \
  } while(0)




#define Start_Protect_Regs_For_Signal \
  do { \
    Save_Machine_Regs(pl_buff_signal_reg); \
    pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 1; \
  } while(0)


#define Stop_Protect_Regs_For_Signal \
  pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 0; \


#define Restore_Protect_Regs_For_Signal \
  do { \
    if (pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS]) { \
      Restore_Machine_Regs(pl_buff_signal_reg); \
      Stop_Protect_Regs_For_Signal; \
    } \
    pl_reg_bank = save_reg_bank; \
  } while(0)


   /*--- End Register Generation ---*/

