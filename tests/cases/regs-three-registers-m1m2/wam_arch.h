

   /*--- Begin Register Generation ---*/

register WamWord 		*pl_reg_bank asm ("m1");

register PlLong		R1  asm ("m2");


#define R2			(((WamWord  *) pl_reg_bank)[0])
#define R3			(((WamWord  *) pl_reg_bank)[1])


#define NB_OF_REGS          	3
#define NB_OF_ALLOC_REGS    	1
#define NB_OF_NOT_ALLOC_REGS	2
#define REG_BANK_SIZE       	(NB_OF_NOT_ALLOC_REGS)




#define NB_OF_USED_MACHINE_REGS 2

#ifdef ENGINE_FILE

WamWord *save_reg_bank;

WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];

char *pl_reg_tbl[] = { "R1", "R2", "R3"};

#else

extern WamWord *save_reg_bank;

extern WamWord pl_buff_signal_reg[];

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
    R1     = (PlLong  ) buff_save[0]; \
    R2     = (WamWord ) buff_save[1]; \
    R3     = (WamWord ) buff_save[2]; \
  } while(0)




#define Save_Machine_Regs(buff_save) \
  do { \
    buff_save[0] = (WamWord) pl_reg_bank; \
    buff_save[1] = (WamWord) R1; \
  } while(0)


#define Restore_Machine_Regs(buff_save) \
  do { \
    pl_reg_bank = (WamWordP) buff_save[0]; \
    R1 = (PlLong  ) buff_save[1]; \
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

