

   /*--- Begin Tag Generation ---*/

#define TAG_SIZE     		8
#define TAG_SIZE_LOW 		3
#define TAG_SIZE_HIGH		5
#define VALUE_SIZE   		56
#define TAG_MASK     		(PlULong)0xf800000000000007
#define VALUE_MASK   		(PlULong)0x7fffffffffffff8
#define Tag_Mask_Of(w)		((PlLong) (w) & (TAG_MASK))
#define Tag_From_Tag_Mask(w) 	(((PlULong) (w) >> 56) | ((w) & 7))
#define Tag_Of(w)     		((((PlULong) (w) >> 59) << 3) | ((w) & 7))
#define TAG_X0_MASK		(PlULong)0
#define TAG_X1_MASK		(PlULong)0x1
#define TAG_X2_MASK		(PlULong)0x2
#define TAG_X3_MASK		(PlULong)0x3
#define TAG_X4_MASK		(PlULong)0x4
#define TAG_X5_MASK		(PlULong)0x5
#define TAG_X6_MASK		(PlULong)0x6
#define TAG_X7_MASK		(PlULong)0x7
#define TAG_X8_MASK		(PlULong)0x800000000000000
#define TAG_X9_MASK		(PlULong)0x800000000000001
#define TAG_X10_MASK		(PlULong)0x800000000000002
#define TAG_X11_MASK		(PlULong)0x800000000000003
#define TAG_X12_MASK		(PlULong)0x800000000000004
#define TAG_X13_MASK		(PlULong)0x800000000000005
#define TAG_X14_MASK		(PlULong)0x800000000000006
#define TAG_X15_MASK		(PlULong)0x800000000000007
#define TAG_X16_MASK		(PlULong)0x1000000000000000
#define TAG_X17_MASK		(PlULong)0x1000000000000001
#define TAG_X18_MASK		(PlULong)0x1000000000000002
#define TAG_X19_MASK		(PlULong)0x1000000000000003
#define TAG_X20_MASK		(PlULong)0x1000000000000004
#define TAG_X21_MASK		(PlULong)0x1000000000000005
#define TAG_X22_MASK		(PlULong)0x1000000000000006
#define TAG_X23_MASK		(PlULong)0x1000000000000007
#define TAG_X24_MASK		(PlULong)0x1800000000000000
#define TAG_X25_MASK		(PlULong)0x1800000000000001
#define TAG_X26_MASK		(PlULong)0x1800000000000002
#define TAG_X27_MASK		(PlULong)0x1800000000000003
#define TAG_X28_MASK		(PlULong)0x1800000000000004
#define TAG_X29_MASK		(PlULong)0x1800000000000005
#define TAG_X30_MASK		(PlULong)0x1800000000000006
#define TAG_X31_MASK		(PlULong)0x1800000000000007
#define TAG_X32_MASK		(PlULong)0x2000000000000000
#define TAG_X33_MASK		(PlULong)0x2000000000000001
#define TAG_X34_MASK		(PlULong)0x2000000000000002
#define TAG_X35_MASK		(PlULong)0x2000000000000003
#define TAG_X36_MASK		(PlULong)0x2000000000000004
#define TAG_X37_MASK		(PlULong)0x2000000000000005
#define TAG_X38_MASK		(PlULong)0x2000000000000006
#define TAG_X39_MASK		(PlULong)0x2000000000000007
#define TAG_X40_MASK		(PlULong)0x2800000000000000
#define TAG_X41_MASK		(PlULong)0x2800000000000001
#define TAG_X42_MASK		(PlULong)0x2800000000000002
#define TAG_X43_MASK		(PlULong)0x2800000000000003
#define TAG_X44_MASK		(PlULong)0x2800000000000004
#define TAG_X45_MASK		(PlULong)0x2800000000000005
#define TAG_X46_MASK		(PlULong)0x2800000000000006
#define TAG_X47_MASK		(PlULong)0x2800000000000007
#define TAG_X48_MASK		(PlULong)0x3000000000000000
#define TAG_X49_MASK		(PlULong)0x3000000000000001
#define TAG_X50_MASK		(PlULong)0x3000000000000002
#define TAG_X51_MASK		(PlULong)0x3000000000000003
#define TAG_X52_MASK		(PlULong)0x3000000000000004
#define TAG_X53_MASK		(PlULong)0x3000000000000005
#define TAG_X54_MASK		(PlULong)0x3000000000000006
#define TAG_X55_MASK		(PlULong)0x3000000000000007
#define TAG_X56_MASK		(PlULong)0x3800000000000000
#define TAG_X57_MASK		(PlULong)0x3800000000000001
#define TAG_X58_MASK		(PlULong)0x3800000000000002
#define TAG_X59_MASK		(PlULong)0x3800000000000003
#define TAG_X60_MASK		(PlULong)0x3800000000000004
#define TAG_X61_MASK		(PlULong)0x3800000000000005
#define TAG_X62_MASK		(PlULong)0x3800000000000006
#define TAG_X63_MASK		(PlULong)0x3800000000000007
#define TAG_X64_MASK		(PlULong)0x4000000000000000
#define TAG_X65_MASK		(PlULong)0x4000000000000001
#define TAG_X66_MASK		(PlULong)0x4000000000000002
#define TAG_X67_MASK		(PlULong)0x4000000000000003
#define TAG_X68_MASK		(PlULong)0x4000000000000004
#define TAG_X69_MASK		(PlULong)0x4000000000000005
#define TAG_X70_MASK		(PlULong)0x4000000000000006
#define TAG_X71_MASK		(PlULong)0x4000000000000007
#define TAG_X72_MASK		(PlULong)0x4800000000000000
#define TAG_X73_MASK		(PlULong)0x4800000000000001
#define TAG_X74_MASK		(PlULong)0x4800000000000002
#define TAG_X75_MASK		(PlULong)0x4800000000000003
#define TAG_X76_MASK		(PlULong)0x4800000000000004
#define TAG_X77_MASK		(PlULong)0x4800000000000005
#define TAG_X78_MASK		(PlULong)0x4800000000000006
#define TAG_X79_MASK		(PlULong)0x4800000000000007
#define TAG_X80_MASK		(PlULong)0x5000000000000000
#define TAG_X81_MASK		(PlULong)0x5000000000000001
#define TAG_X82_MASK		(PlULong)0x5000000000000002
#define TAG_X83_MASK		(PlULong)0x5000000000000003
#define TAG_X84_MASK		(PlULong)0x5000000000000004
#define TAG_X85_MASK		(PlULong)0x5000000000000005
#define TAG_X86_MASK		(PlULong)0x5000000000000006
#define TAG_X87_MASK		(PlULong)0x5000000000000007
#define TAG_X88_MASK		(PlULong)0x5800000000000000
#define TAG_X89_MASK		(PlULong)0x5800000000000001
#define TAG_X90_MASK		(PlULong)0x5800000000000002
#define TAG_X91_MASK		(PlULong)0x5800000000000003
#define TAG_X92_MASK		(PlULong)0x5800000000000004
#define TAG_X93_MASK		(PlULong)0x5800000000000005
#define TAG_X94_MASK		(PlULong)0x5800000000000006
#define TAG_X95_MASK		(PlULong)0x5800000000000007
#define TAG_X96_MASK		(PlULong)0x6000000000000000
#define TAG_X97_MASK		(PlULong)0x6000000000000001
#define TAG_X98_MASK		(PlULong)0x6000000000000002
#define TAG_X99_MASK		(PlULong)0x6000000000000003
#define TAG_X100_MASK		(PlULong)0x6000000000000004
#define TAG_X101_MASK		(PlULong)0x6000000000000005
#define TAG_X102_MASK		(PlULong)0x6000000000000006
#define TAG_X103_MASK		(PlULong)0x6000000000000007
#define TAG_X104_MASK		(PlULong)0x6800000000000000
#define TAG_X105_MASK		(PlULong)0x6800000000000001
#define TAG_X106_MASK		(PlULong)0x6800000000000002
#define TAG_X107_MASK		(PlULong)0x6800000000000003
#define TAG_X108_MASK		(PlULong)0x6800000000000004
#define TAG_X109_MASK		(PlULong)0x6800000000000005
#define TAG_X110_MASK		(PlULong)0x6800000000000006
#define TAG_X111_MASK		(PlULong)0x6800000000000007
#define TAG_X112_MASK		(PlULong)0x7000000000000000
#define TAG_X113_MASK		(PlULong)0x7000000000000001
#define TAG_X114_MASK		(PlULong)0x7000000000000002
#define TAG_X115_MASK		(PlULong)0x7000000000000003
#define TAG_X116_MASK		(PlULong)0x7000000000000004
#define TAG_X117_MASK		(PlULong)0x7000000000000005
#define TAG_X118_MASK		(PlULong)0x7000000000000006
#define TAG_X119_MASK		(PlULong)0x7000000000000007
#define TAG_X120_MASK		(PlULong)0x7800000000000000
#define TAG_X121_MASK		(PlULong)0x7800000000000001
#define TAG_X122_MASK		(PlULong)0x7800000000000002
#define TAG_X123_MASK		(PlULong)0x7800000000000003
#define TAG_X124_MASK		(PlULong)0x7800000000000004
#define TAG_X125_MASK		(PlULong)0x7800000000000005
#define TAG_X126_MASK		(PlULong)0x7800000000000006
#define TAG_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN_MASK		(PlULong)0xc800000000000000

#define NB_OF_TAGS       	128
#define X0         		0 
#define X1         		1 
#define X2         		2 
#define X3         		3 
#define X4         		4 
#define X5         		5 
#define X6         		6 
#define X7         		7 
#define X8         		8 
#define X9         		9 
#define X10        		10
#define X11        		11
#define X12        		12
#define X13        		13
#define X14        		14
#define X15        		15
#define X16        		16
#define X17        		17
#define X18        		18
#define X19        		19
#define X20        		20
#define X21        		21
#define X22        		22
#define X23        		23
#define X24        		24
#define X25        		25
#define X26        		26
#define X27        		27
#define X28        		28
#define X29        		29
#define X30        		30
#define X31        		31
#define X32        		32
#define X33        		33
#define X34        		34
#define X35        		35
#define X36        		36
#define X37        		37
#define X38        		38
#define X39        		39
#define X40        		40
#define X41        		41
#define X42        		42
#define X43        		43
#define X44        		44
#define X45        		45
#define X46        		46
#define X47        		47
#define X48        		48
#define X49        		49
#define X50        		50
#define X51        		51
#define X52        		52
#define X53        		53
#define X54        		54
#define X55        		55
#define X56        		56
#define X57        		57
#define X58        		58
#define X59        		59
#define X60        		60
#define X61        		61
#define X62        		62
#define X63        		63
#define X64        		64
#define X65        		65
#define X66        		66
#define X67        		67
#define X68        		68
#define X69        		69
#define X70        		70
#define X71        		71
#define X72        		72
#define X73        		73
#define X74        		74
#define X75        		75
#define X76        		76
#define X77        		77
#define X78        		78
#define X79        		79
#define X80        		80
#define X81        		81
#define X82        		82
#define X83        		83
#define X84        		84
#define X85        		85
#define X86        		86
#define X87        		87
#define X88        		88
#define X89        		89
#define X90        		90
#define X91        		91
#define X92        		92
#define X93        		93
#define X94        		94
#define X95        		95
#define X96        		96
#define X97        		97
#define X98        		98
#define X99        		99
#define X100       		100
#define X101       		101
#define X102       		102
#define X103       		103
#define X104       		104
#define X105       		105
#define X106       		106
#define X107       		107
#define X108       		108
#define X109       		109
#define X110       		110
#define X111       		111
#define X112       		112
#define X113       		113
#define X114       		114
#define X115       		115
#define X116       		116
#define X117       		117
#define X118       		118
#define X119       		119
#define X120       		120
#define X121       		121
#define X122       		122
#define X123       		123
#define X124       		124
#define X125       		125
#define X126       		126
#define NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN 		200

	/* General Tag/UnTag macros */

#define Tag_Long_Int(tm, v)  	((((PlLong) ((v) << 8)) >> 5) | (tm))
#define Tag_Short_Uns(tm, v)	(((PlLong) (v) << 3) + (tm))
#define Tag_Address(tm, v)  	((PlLong) (v) + (tm))

#define UnTag_Long_Int(w)    	((PlLong) ((w) << 5) >> 8)
#define UnTag_Short_Uns(w)	UnTag_Long_Int(w)
#define UnTag_Address(w)  	((WamWord *) ((w) & VALUE_MASK))


	/* Specialized Tag/UnTag macros */


#define Tag_X0(v)  		(((PlULong) (v) << 3) & VALUE_MASK)
#define Tag_X1(v)  		Tag_Long_Int(TAG_X1_MASK, v)
#define Tag_X2(v)  		Tag_Long_Int(TAG_X2_MASK, v)
#define Tag_X3(v)  		Tag_Long_Int(TAG_X3_MASK, v)
#define Tag_X4(v)  		Tag_Long_Int(TAG_X4_MASK, v)
#define Tag_X5(v)  		Tag_Long_Int(TAG_X5_MASK, v)
#define Tag_X6(v)  		Tag_Long_Int(TAG_X6_MASK, v)
#define Tag_X7(v)  		Tag_Long_Int(TAG_X7_MASK, v)
#define Tag_X8(v)  		Tag_Long_Int(TAG_X8_MASK, v)
#define Tag_X9(v)  		Tag_Long_Int(TAG_X9_MASK, v)
#define Tag_X10(v)  		Tag_Long_Int(TAG_X10_MASK, v)
#define Tag_X11(v)  		Tag_Long_Int(TAG_X11_MASK, v)
#define Tag_X12(v)  		Tag_Long_Int(TAG_X12_MASK, v)
#define Tag_X13(v)  		Tag_Long_Int(TAG_X13_MASK, v)
#define Tag_X14(v)  		Tag_Long_Int(TAG_X14_MASK, v)
#define Tag_X15(v)  		Tag_Long_Int(TAG_X15_MASK, v)
#define Tag_X16(v)  		Tag_Long_Int(TAG_X16_MASK, v)
#define Tag_X17(v)  		Tag_Long_Int(TAG_X17_MASK, v)
#define Tag_X18(v)  		Tag_Long_Int(TAG_X18_MASK, v)
#define Tag_X19(v)  		Tag_Long_Int(TAG_X19_MASK, v)
#define Tag_X20(v)  		Tag_Long_Int(TAG_X20_MASK, v)
#define Tag_X21(v)  		Tag_Long_Int(TAG_X21_MASK, v)
#define Tag_X22(v)  		Tag_Long_Int(TAG_X22_MASK, v)
#define Tag_X23(v)  		Tag_Long_Int(TAG_X23_MASK, v)
#define Tag_X24(v)  		Tag_Long_Int(TAG_X24_MASK, v)
#define Tag_X25(v)  		Tag_Long_Int(TAG_X25_MASK, v)
#define Tag_X26(v)  		Tag_Long_Int(TAG_X26_MASK, v)
#define Tag_X27(v)  		Tag_Long_Int(TAG_X27_MASK, v)
#define Tag_X28(v)  		Tag_Long_Int(TAG_X28_MASK, v)
#define Tag_X29(v)  		Tag_Long_Int(TAG_X29_MASK, v)
#define Tag_X30(v)  		Tag_Long_Int(TAG_X30_MASK, v)
#define Tag_X31(v)  		Tag_Long_Int(TAG_X31_MASK, v)
#define Tag_X32(v)  		Tag_Long_Int(TAG_X32_MASK, v)
#define Tag_X33(v)  		Tag_Long_Int(TAG_X33_MASK, v)
#define Tag_X34(v)  		Tag_Long_Int(TAG_X34_MASK, v)
#define Tag_X35(v)  		Tag_Long_Int(TAG_X35_MASK, v)
#define Tag_X36(v)  		Tag_Long_Int(TAG_X36_MASK, v)
#define Tag_X37(v)  		Tag_Long_Int(TAG_X37_MASK, v)
#define Tag_X38(v)  		Tag_Long_Int(TAG_X38_MASK, v)
#define Tag_X39(v)  		Tag_Long_Int(TAG_X39_MASK, v)
#define Tag_X40(v)  		Tag_Long_Int(TAG_X40_MASK, v)
#define Tag_X41(v)  		Tag_Long_Int(TAG_X41_MASK, v)
#define Tag_X42(v)  		Tag_Long_Int(TAG_X42_MASK, v)
#define Tag_X43(v)  		Tag_Long_Int(TAG_X43_MASK, v)
#define Tag_X44(v)  		Tag_Long_Int(TAG_X44_MASK, v)
#define Tag_X45(v)  		Tag_Long_Int(TAG_X45_MASK, v)
#define Tag_X46(v)  		Tag_Long_Int(TAG_X46_MASK, v)
#define Tag_X47(v)  		Tag_Long_Int(TAG_X47_MASK, v)
#define Tag_X48(v)  		Tag_Long_Int(TAG_X48_MASK, v)
#define Tag_X49(v)  		Tag_Long_Int(TAG_X49_MASK, v)
#define Tag_X50(v)  		Tag_Long_Int(TAG_X50_MASK, v)
#define Tag_X51(v)  		Tag_Long_Int(TAG_X51_MASK, v)
#define Tag_X52(v)  		Tag_Long_Int(TAG_X52_MASK, v)
#define Tag_X53(v)  		Tag_Long_Int(TAG_X53_MASK, v)
#define Tag_X54(v)  		Tag_Long_Int(TAG_X54_MASK, v)
#define Tag_X55(v)  		Tag_Long_Int(TAG_X55_MASK, v)
#define Tag_X56(v)  		Tag_Long_Int(TAG_X56_MASK, v)
#define Tag_X57(v)  		Tag_Long_Int(TAG_X57_MASK, v)
#define Tag_X58(v)  		Tag_Long_Int(TAG_X58_MASK, v)
#define Tag_X59(v)  		Tag_Long_Int(TAG_X59_MASK, v)
#define Tag_X60(v)  		Tag_Long_Int(TAG_X60_MASK, v)
#define Tag_X61(v)  		Tag_Long_Int(TAG_X61_MASK, v)
#define Tag_X62(v)  		Tag_Long_Int(TAG_X62_MASK, v)
#define Tag_X63(v)  		Tag_Long_Int(TAG_X63_MASK, v)
#define Tag_X64(v)  		Tag_Long_Int(TAG_X64_MASK, v)
#define Tag_X65(v)  		Tag_Long_Int(TAG_X65_MASK, v)
#define Tag_X66(v)  		Tag_Long_Int(TAG_X66_MASK, v)
#define Tag_X67(v)  		Tag_Long_Int(TAG_X67_MASK, v)
#define Tag_X68(v)  		Tag_Long_Int(TAG_X68_MASK, v)
#define Tag_X69(v)  		Tag_Long_Int(TAG_X69_MASK, v)
#define Tag_X70(v)  		Tag_Long_Int(TAG_X70_MASK, v)
#define Tag_X71(v)  		Tag_Long_Int(TAG_X71_MASK, v)
#define Tag_X72(v)  		Tag_Long_Int(TAG_X72_MASK, v)
#define Tag_X73(v)  		Tag_Long_Int(TAG_X73_MASK, v)
#define Tag_X74(v)  		Tag_Long_Int(TAG_X74_MASK, v)
#define Tag_X75(v)  		Tag_Long_Int(TAG_X75_MASK, v)
#define Tag_X76(v)  		Tag_Long_Int(TAG_X76_MASK, v)
#define Tag_X77(v)  		Tag_Long_Int(TAG_X77_MASK, v)
#define Tag_X78(v)  		Tag_Long_Int(TAG_X78_MASK, v)
#define Tag_X79(v)  		Tag_Long_Int(TAG_X79_MASK, v)
#define Tag_X80(v)  		Tag_Long_Int(TAG_X80_MASK, v)
#define Tag_X81(v)  		Tag_Long_Int(TAG_X81_MASK, v)
#define Tag_X82(v)  		Tag_Long_Int(TAG_X82_MASK, v)
#define Tag_X83(v)  		Tag_Long_Int(TAG_X83_MASK, v)
#define Tag_X84(v)  		Tag_Long_Int(TAG_X84_MASK, v)
#define Tag_X85(v)  		Tag_Long_Int(TAG_X85_MASK, v)
#define Tag_X86(v)  		Tag_Long_Int(TAG_X86_MASK, v)
#define Tag_X87(v)  		Tag_Long_Int(TAG_X87_MASK, v)
#define Tag_X88(v)  		Tag_Long_Int(TAG_X88_MASK, v)
#define Tag_X89(v)  		Tag_Long_Int(TAG_X89_MASK, v)
#define Tag_X90(v)  		Tag_Long_Int(TAG_X90_MASK, v)
#define Tag_X91(v)  		Tag_Long_Int(TAG_X91_MASK, v)
#define Tag_X92(v)  		Tag_Long_Int(TAG_X92_MASK, v)
#define Tag_X93(v)  		Tag_Long_Int(TAG_X93_MASK, v)
#define Tag_X94(v)  		Tag_Long_Int(TAG_X94_MASK, v)
#define Tag_X95(v)  		Tag_Long_Int(TAG_X95_MASK, v)
#define Tag_X96(v)  		Tag_Long_Int(TAG_X96_MASK, v)
#define Tag_X97(v)  		Tag_Long_Int(TAG_X97_MASK, v)
#define Tag_X98(v)  		Tag_Long_Int(TAG_X98_MASK, v)
#define Tag_X99(v)  		Tag_Long_Int(TAG_X99_MASK, v)
#define Tag_X100(v)  		Tag_Long_Int(TAG_X100_MASK, v)
#define Tag_X101(v)  		Tag_Long_Int(TAG_X101_MASK, v)
#define Tag_X102(v)  		Tag_Long_Int(TAG_X102_MASK, v)
#define Tag_X103(v)  		Tag_Long_Int(TAG_X103_MASK, v)
#define Tag_X104(v)  		Tag_Long_Int(TAG_X104_MASK, v)
#define Tag_X105(v)  		Tag_Long_Int(TAG_X105_MASK, v)
#define Tag_X106(v)  		Tag_Long_Int(TAG_X106_MASK, v)
#define Tag_X107(v)  		Tag_Long_Int(TAG_X107_MASK, v)
#define Tag_X108(v)  		Tag_Long_Int(TAG_X108_MASK, v)
#define Tag_X109(v)  		Tag_Long_Int(TAG_X109_MASK, v)
#define Tag_X110(v)  		Tag_Long_Int(TAG_X110_MASK, v)
#define Tag_X111(v)  		Tag_Long_Int(TAG_X111_MASK, v)
#define Tag_X112(v)  		Tag_Long_Int(TAG_X112_MASK, v)
#define Tag_X113(v)  		Tag_Long_Int(TAG_X113_MASK, v)
#define Tag_X114(v)  		Tag_Long_Int(TAG_X114_MASK, v)
#define Tag_X115(v)  		Tag_Long_Int(TAG_X115_MASK, v)
#define Tag_X116(v)  		Tag_Long_Int(TAG_X116_MASK, v)
#define Tag_X117(v)  		Tag_Long_Int(TAG_X117_MASK, v)
#define Tag_X118(v)  		Tag_Long_Int(TAG_X118_MASK, v)
#define Tag_X119(v)  		Tag_Long_Int(TAG_X119_MASK, v)
#define Tag_X120(v)  		Tag_Long_Int(TAG_X120_MASK, v)
#define Tag_X121(v)  		Tag_Long_Int(TAG_X121_MASK, v)
#define Tag_X122(v)  		Tag_Long_Int(TAG_X122_MASK, v)
#define Tag_X123(v)  		Tag_Long_Int(TAG_X123_MASK, v)
#define Tag_X124(v)  		Tag_Long_Int(TAG_X124_MASK, v)
#define Tag_X125(v)  		Tag_Long_Int(TAG_X125_MASK, v)
#define Tag_X126(v)  		Tag_Long_Int(TAG_X126_MASK, v)
#define Tag_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN(v)  		Tag_Long_Int(TAG_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN_MASK, v)

#define UnTag_X0(w)  		UnTag_Long_Int(w)
#define UnTag_X1(w)  		UnTag_Long_Int(w)
#define UnTag_X2(w)  		UnTag_Long_Int(w)
#define UnTag_X3(w)  		UnTag_Long_Int(w)
#define UnTag_X4(w)  		UnTag_Long_Int(w)
#define UnTag_X5(w)  		UnTag_Long_Int(w)
#define UnTag_X6(w)  		UnTag_Long_Int(w)
#define UnTag_X7(w)  		UnTag_Long_Int(w)
#define UnTag_X8(w)  		UnTag_Long_Int(w)
#define UnTag_X9(w)  		UnTag_Long_Int(w)
#define UnTag_X10(w)  		UnTag_Long_Int(w)
#define UnTag_X11(w)  		UnTag_Long_Int(w)
#define UnTag_X12(w)  		UnTag_Long_Int(w)
#define UnTag_X13(w)  		UnTag_Long_Int(w)
#define UnTag_X14(w)  		UnTag_Long_Int(w)
#define UnTag_X15(w)  		UnTag_Long_Int(w)
#define UnTag_X16(w)  		UnTag_Long_Int(w)
#define UnTag_X17(w)  		UnTag_Long_Int(w)
#define UnTag_X18(w)  		UnTag_Long_Int(w)
#define UnTag_X19(w)  		UnTag_Long_Int(w)
#define UnTag_X20(w)  		UnTag_Long_Int(w)
#define UnTag_X21(w)  		UnTag_Long_Int(w)
#define UnTag_X22(w)  		UnTag_Long_Int(w)
#define UnTag_X23(w)  		UnTag_Long_Int(w)
#define UnTag_X24(w)  		UnTag_Long_Int(w)
#define UnTag_X25(w)  		UnTag_Long_Int(w)
#define UnTag_X26(w)  		UnTag_Long_Int(w)
#define UnTag_X27(w)  		UnTag_Long_Int(w)
#define UnTag_X28(w)  		UnTag_Long_Int(w)
#define UnTag_X29(w)  		UnTag_Long_Int(w)
#define UnTag_X30(w)  		UnTag_Long_Int(w)
#define UnTag_X31(w)  		UnTag_Long_Int(w)
#define UnTag_X32(w)  		UnTag_Long_Int(w)
#define UnTag_X33(w)  		UnTag_Long_Int(w)
#define UnTag_X34(w)  		UnTag_Long_Int(w)
#define UnTag_X35(w)  		UnTag_Long_Int(w)
#define UnTag_X36(w)  		UnTag_Long_Int(w)
#define UnTag_X37(w)  		UnTag_Long_Int(w)
#define UnTag_X38(w)  		UnTag_Long_Int(w)
#define UnTag_X39(w)  		UnTag_Long_Int(w)
#define UnTag_X40(w)  		UnTag_Long_Int(w)
#define UnTag_X41(w)  		UnTag_Long_Int(w)
#define UnTag_X42(w)  		UnTag_Long_Int(w)
#define UnTag_X43(w)  		UnTag_Long_Int(w)
#define UnTag_X44(w)  		UnTag_Long_Int(w)
#define UnTag_X45(w)  		UnTag_Long_Int(w)
#define UnTag_X46(w)  		UnTag_Long_Int(w)
#define UnTag_X47(w)  		UnTag_Long_Int(w)
#define UnTag_X48(w)  		UnTag_Long_Int(w)
#define UnTag_X49(w)  		UnTag_Long_Int(w)
#define UnTag_X50(w)  		UnTag_Long_Int(w)
#define UnTag_X51(w)  		UnTag_Long_Int(w)
#define UnTag_X52(w)  		UnTag_Long_Int(w)
#define UnTag_X53(w)  		UnTag_Long_Int(w)
#define UnTag_X54(w)  		UnTag_Long_Int(w)
#define UnTag_X55(w)  		UnTag_Long_Int(w)
#define UnTag_X56(w)  		UnTag_Long_Int(w)
#define UnTag_X57(w)  		UnTag_Long_Int(w)
#define UnTag_X58(w)  		UnTag_Long_Int(w)
#define UnTag_X59(w)  		UnTag_Long_Int(w)
#define UnTag_X60(w)  		UnTag_Long_Int(w)
#define UnTag_X61(w)  		UnTag_Long_Int(w)
#define UnTag_X62(w)  		UnTag_Long_Int(w)
#define UnTag_X63(w)  		UnTag_Long_Int(w)
#define UnTag_X64(w)  		UnTag_Long_Int(w)
#define UnTag_X65(w)  		UnTag_Long_Int(w)
#define UnTag_X66(w)  		UnTag_Long_Int(w)
#define UnTag_X67(w)  		UnTag_Long_Int(w)
#define UnTag_X68(w)  		UnTag_Long_Int(w)
#define UnTag_X69(w)  		UnTag_Long_Int(w)
#define UnTag_X70(w)  		UnTag_Long_Int(w)
#define UnTag_X71(w)  		UnTag_Long_Int(w)
#define UnTag_X72(w)  		UnTag_Long_Int(w)
#define UnTag_X73(w)  		UnTag_Long_Int(w)
#define UnTag_X74(w)  		UnTag_Long_Int(w)
#define UnTag_X75(w)  		UnTag_Long_Int(w)
#define UnTag_X76(w)  		UnTag_Long_Int(w)
#define UnTag_X77(w)  		UnTag_Long_Int(w)
#define UnTag_X78(w)  		UnTag_Long_Int(w)
#define UnTag_X79(w)  		UnTag_Long_Int(w)
#define UnTag_X80(w)  		UnTag_Long_Int(w)
#define UnTag_X81(w)  		UnTag_Long_Int(w)
#define UnTag_X82(w)  		UnTag_Long_Int(w)
#define UnTag_X83(w)  		UnTag_Long_Int(w)
#define UnTag_X84(w)  		UnTag_Long_Int(w)
#define UnTag_X85(w)  		UnTag_Long_Int(w)
#define UnTag_X86(w)  		UnTag_Long_Int(w)
#define UnTag_X87(w)  		UnTag_Long_Int(w)
#define UnTag_X88(w)  		UnTag_Long_Int(w)
#define UnTag_X89(w)  		UnTag_Long_Int(w)
#define UnTag_X90(w)  		UnTag_Long_Int(w)
#define UnTag_X91(w)  		UnTag_Long_Int(w)
#define UnTag_X92(w)  		UnTag_Long_Int(w)
#define UnTag_X93(w)  		UnTag_Long_Int(w)
#define UnTag_X94(w)  		UnTag_Long_Int(w)
#define UnTag_X95(w)  		UnTag_Long_Int(w)
#define UnTag_X96(w)  		UnTag_Long_Int(w)
#define UnTag_X97(w)  		UnTag_Long_Int(w)
#define UnTag_X98(w)  		UnTag_Long_Int(w)
#define UnTag_X99(w)  		UnTag_Long_Int(w)
#define UnTag_X100(w)  		UnTag_Long_Int(w)
#define UnTag_X101(w)  		UnTag_Long_Int(w)
#define UnTag_X102(w)  		UnTag_Long_Int(w)
#define UnTag_X103(w)  		UnTag_Long_Int(w)
#define UnTag_X104(w)  		UnTag_Long_Int(w)
#define UnTag_X105(w)  		UnTag_Long_Int(w)
#define UnTag_X106(w)  		UnTag_Long_Int(w)
#define UnTag_X107(w)  		UnTag_Long_Int(w)
#define UnTag_X108(w)  		UnTag_Long_Int(w)
#define UnTag_X109(w)  		UnTag_Long_Int(w)
#define UnTag_X110(w)  		UnTag_Long_Int(w)
#define UnTag_X111(w)  		UnTag_Long_Int(w)
#define UnTag_X112(w)  		UnTag_Long_Int(w)
#define UnTag_X113(w)  		UnTag_Long_Int(w)
#define UnTag_X114(w)  		UnTag_Long_Int(w)
#define UnTag_X115(w)  		UnTag_Long_Int(w)
#define UnTag_X116(w)  		UnTag_Long_Int(w)
#define UnTag_X117(w)  		UnTag_Long_Int(w)
#define UnTag_X118(w)  		UnTag_Long_Int(w)
#define UnTag_X119(w)  		UnTag_Long_Int(w)
#define UnTag_X120(w)  		UnTag_Long_Int(w)
#define UnTag_X121(w)  		UnTag_Long_Int(w)
#define UnTag_X122(w)  		UnTag_Long_Int(w)
#define UnTag_X123(w)  		UnTag_Long_Int(w)
#define UnTag_X124(w)  		UnTag_Long_Int(w)
#define UnTag_X125(w)  		UnTag_Long_Int(w)
#define UnTag_X126(w)  		UnTag_Long_Int(w)
#define UnTag_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN(w)  		UnTag_Long_Int(w)

#define Tag_Is_X0(w)  		(Tag_Mask_Of(w) == TAG_X0_MASK)
#define Tag_Is_X1(w)  		(Tag_Mask_Of(w) == TAG_X1_MASK)
#define Tag_Is_X2(w)  		(Tag_Mask_Of(w) == TAG_X2_MASK)
#define Tag_Is_X3(w)  		(Tag_Mask_Of(w) == TAG_X3_MASK)
#define Tag_Is_X4(w)  		(Tag_Mask_Of(w) == TAG_X4_MASK)
#define Tag_Is_X5(w)  		(Tag_Mask_Of(w) == TAG_X5_MASK)
#define Tag_Is_X6(w)  		(Tag_Mask_Of(w) == TAG_X6_MASK)
#define Tag_Is_X7(w)  		(Tag_Mask_Of(w) == TAG_X7_MASK)
#define Tag_Is_X8(w)  		(Tag_Mask_Of(w) == TAG_X8_MASK)
#define Tag_Is_X9(w)  		(Tag_Mask_Of(w) == TAG_X9_MASK)
#define Tag_Is_X10(w)  		(Tag_Mask_Of(w) == TAG_X10_MASK)
#define Tag_Is_X11(w)  		(Tag_Mask_Of(w) == TAG_X11_MASK)
#define Tag_Is_X12(w)  		(Tag_Mask_Of(w) == TAG_X12_MASK)
#define Tag_Is_X13(w)  		(Tag_Mask_Of(w) == TAG_X13_MASK)
#define Tag_Is_X14(w)  		(Tag_Mask_Of(w) == TAG_X14_MASK)
#define Tag_Is_X15(w)  		(Tag_Mask_Of(w) == TAG_X15_MASK)
#define Tag_Is_X16(w)  		(Tag_Mask_Of(w) == TAG_X16_MASK)
#define Tag_Is_X17(w)  		(Tag_Mask_Of(w) == TAG_X17_MASK)
#define Tag_Is_X18(w)  		(Tag_Mask_Of(w) == TAG_X18_MASK)
#define Tag_Is_X19(w)  		(Tag_Mask_Of(w) == TAG_X19_MASK)
#define Tag_Is_X20(w)  		(Tag_Mask_Of(w) == TAG_X20_MASK)
#define Tag_Is_X21(w)  		(Tag_Mask_Of(w) == TAG_X21_MASK)
#define Tag_Is_X22(w)  		(Tag_Mask_Of(w) == TAG_X22_MASK)
#define Tag_Is_X23(w)  		(Tag_Mask_Of(w) == TAG_X23_MASK)
#define Tag_Is_X24(w)  		(Tag_Mask_Of(w) == TAG_X24_MASK)
#define Tag_Is_X25(w)  		(Tag_Mask_Of(w) == TAG_X25_MASK)
#define Tag_Is_X26(w)  		(Tag_Mask_Of(w) == TAG_X26_MASK)
#define Tag_Is_X27(w)  		(Tag_Mask_Of(w) == TAG_X27_MASK)
#define Tag_Is_X28(w)  		(Tag_Mask_Of(w) == TAG_X28_MASK)
#define Tag_Is_X29(w)  		(Tag_Mask_Of(w) == TAG_X29_MASK)
#define Tag_Is_X30(w)  		(Tag_Mask_Of(w) == TAG_X30_MASK)
#define Tag_Is_X31(w)  		(Tag_Mask_Of(w) == TAG_X31_MASK)
#define Tag_Is_X32(w)  		(Tag_Mask_Of(w) == TAG_X32_MASK)
#define Tag_Is_X33(w)  		(Tag_Mask_Of(w) == TAG_X33_MASK)
#define Tag_Is_X34(w)  		(Tag_Mask_Of(w) == TAG_X34_MASK)
#define Tag_Is_X35(w)  		(Tag_Mask_Of(w) == TAG_X35_MASK)
#define Tag_Is_X36(w)  		(Tag_Mask_Of(w) == TAG_X36_MASK)
#define Tag_Is_X37(w)  		(Tag_Mask_Of(w) == TAG_X37_MASK)
#define Tag_Is_X38(w)  		(Tag_Mask_Of(w) == TAG_X38_MASK)
#define Tag_Is_X39(w)  		(Tag_Mask_Of(w) == TAG_X39_MASK)
#define Tag_Is_X40(w)  		(Tag_Mask_Of(w) == TAG_X40_MASK)
#define Tag_Is_X41(w)  		(Tag_Mask_Of(w) == TAG_X41_MASK)
#define Tag_Is_X42(w)  		(Tag_Mask_Of(w) == TAG_X42_MASK)
#define Tag_Is_X43(w)  		(Tag_Mask_Of(w) == TAG_X43_MASK)
#define Tag_Is_X44(w)  		(Tag_Mask_Of(w) == TAG_X44_MASK)
#define Tag_Is_X45(w)  		(Tag_Mask_Of(w) == TAG_X45_MASK)
#define Tag_Is_X46(w)  		(Tag_Mask_Of(w) == TAG_X46_MASK)
#define Tag_Is_X47(w)  		(Tag_Mask_Of(w) == TAG_X47_MASK)
#define Tag_Is_X48(w)  		(Tag_Mask_Of(w) == TAG_X48_MASK)
#define Tag_Is_X49(w)  		(Tag_Mask_Of(w) == TAG_X49_MASK)
#define Tag_Is_X50(w)  		(Tag_Mask_Of(w) == TAG_X50_MASK)
#define Tag_Is_X51(w)  		(Tag_Mask_Of(w) == TAG_X51_MASK)
#define Tag_Is_X52(w)  		(Tag_Mask_Of(w) == TAG_X52_MASK)
#define Tag_Is_X53(w)  		(Tag_Mask_Of(w) == TAG_X53_MASK)
#define Tag_Is_X54(w)  		(Tag_Mask_Of(w) == TAG_X54_MASK)
#define Tag_Is_X55(w)  		(Tag_Mask_Of(w) == TAG_X55_MASK)
#define Tag_Is_X56(w)  		(Tag_Mask_Of(w) == TAG_X56_MASK)
#define Tag_Is_X57(w)  		(Tag_Mask_Of(w) == TAG_X57_MASK)
#define Tag_Is_X58(w)  		(Tag_Mask_Of(w) == TAG_X58_MASK)
#define Tag_Is_X59(w)  		(Tag_Mask_Of(w) == TAG_X59_MASK)
#define Tag_Is_X60(w)  		(Tag_Mask_Of(w) == TAG_X60_MASK)
#define Tag_Is_X61(w)  		(Tag_Mask_Of(w) == TAG_X61_MASK)
#define Tag_Is_X62(w)  		(Tag_Mask_Of(w) == TAG_X62_MASK)
#define Tag_Is_X63(w)  		(Tag_Mask_Of(w) == TAG_X63_MASK)
#define Tag_Is_X64(w)  		(Tag_Mask_Of(w) == TAG_X64_MASK)
#define Tag_Is_X65(w)  		(Tag_Mask_Of(w) == TAG_X65_MASK)
#define Tag_Is_X66(w)  		(Tag_Mask_Of(w) == TAG_X66_MASK)
#define Tag_Is_X67(w)  		(Tag_Mask_Of(w) == TAG_X67_MASK)
#define Tag_Is_X68(w)  		(Tag_Mask_Of(w) == TAG_X68_MASK)
#define Tag_Is_X69(w)  		(Tag_Mask_Of(w) == TAG_X69_MASK)
#define Tag_Is_X70(w)  		(Tag_Mask_Of(w) == TAG_X70_MASK)
#define Tag_Is_X71(w)  		(Tag_Mask_Of(w) == TAG_X71_MASK)
#define Tag_Is_X72(w)  		(Tag_Mask_Of(w) == TAG_X72_MASK)
#define Tag_Is_X73(w)  		(Tag_Mask_Of(w) == TAG_X73_MASK)
#define Tag_Is_X74(w)  		(Tag_Mask_Of(w) == TAG_X74_MASK)
#define Tag_Is_X75(w)  		(Tag_Mask_Of(w) == TAG_X75_MASK)
#define Tag_Is_X76(w)  		(Tag_Mask_Of(w) == TAG_X76_MASK)
#define Tag_Is_X77(w)  		(Tag_Mask_Of(w) == TAG_X77_MASK)
#define Tag_Is_X78(w)  		(Tag_Mask_Of(w) == TAG_X78_MASK)
#define Tag_Is_X79(w)  		(Tag_Mask_Of(w) == TAG_X79_MASK)
#define Tag_Is_X80(w)  		(Tag_Mask_Of(w) == TAG_X80_MASK)
#define Tag_Is_X81(w)  		(Tag_Mask_Of(w) == TAG_X81_MASK)
#define Tag_Is_X82(w)  		(Tag_Mask_Of(w) == TAG_X82_MASK)
#define Tag_Is_X83(w)  		(Tag_Mask_Of(w) == TAG_X83_MASK)
#define Tag_Is_X84(w)  		(Tag_Mask_Of(w) == TAG_X84_MASK)
#define Tag_Is_X85(w)  		(Tag_Mask_Of(w) == TAG_X85_MASK)
#define Tag_Is_X86(w)  		(Tag_Mask_Of(w) == TAG_X86_MASK)
#define Tag_Is_X87(w)  		(Tag_Mask_Of(w) == TAG_X87_MASK)
#define Tag_Is_X88(w)  		(Tag_Mask_Of(w) == TAG_X88_MASK)
#define Tag_Is_X89(w)  		(Tag_Mask_Of(w) == TAG_X89_MASK)
#define Tag_Is_X90(w)  		(Tag_Mask_Of(w) == TAG_X90_MASK)
#define Tag_Is_X91(w)  		(Tag_Mask_Of(w) == TAG_X91_MASK)
#define Tag_Is_X92(w)  		(Tag_Mask_Of(w) == TAG_X92_MASK)
#define Tag_Is_X93(w)  		(Tag_Mask_Of(w) == TAG_X93_MASK)
#define Tag_Is_X94(w)  		(Tag_Mask_Of(w) == TAG_X94_MASK)
#define Tag_Is_X95(w)  		(Tag_Mask_Of(w) == TAG_X95_MASK)
#define Tag_Is_X96(w)  		(Tag_Mask_Of(w) == TAG_X96_MASK)
#define Tag_Is_X97(w)  		(Tag_Mask_Of(w) == TAG_X97_MASK)
#define Tag_Is_X98(w)  		(Tag_Mask_Of(w) == TAG_X98_MASK)
#define Tag_Is_X99(w)  		(Tag_Mask_Of(w) == TAG_X99_MASK)
#define Tag_Is_X100(w)  		(Tag_Mask_Of(w) == TAG_X100_MASK)
#define Tag_Is_X101(w)  		(Tag_Mask_Of(w) == TAG_X101_MASK)
#define Tag_Is_X102(w)  		(Tag_Mask_Of(w) == TAG_X102_MASK)
#define Tag_Is_X103(w)  		(Tag_Mask_Of(w) == TAG_X103_MASK)
#define Tag_Is_X104(w)  		(Tag_Mask_Of(w) == TAG_X104_MASK)
#define Tag_Is_X105(w)  		(Tag_Mask_Of(w) == TAG_X105_MASK)
#define Tag_Is_X106(w)  		(Tag_Mask_Of(w) == TAG_X106_MASK)
#define Tag_Is_X107(w)  		(Tag_Mask_Of(w) == TAG_X107_MASK)
#define Tag_Is_X108(w)  		(Tag_Mask_Of(w) == TAG_X108_MASK)
#define Tag_Is_X109(w)  		(Tag_Mask_Of(w) == TAG_X109_MASK)
#define Tag_Is_X110(w)  		(Tag_Mask_Of(w) == TAG_X110_MASK)
#define Tag_Is_X111(w)  		(Tag_Mask_Of(w) == TAG_X111_MASK)
#define Tag_Is_X112(w)  		(Tag_Mask_Of(w) == TAG_X112_MASK)
#define Tag_Is_X113(w)  		(Tag_Mask_Of(w) == TAG_X113_MASK)
#define Tag_Is_X114(w)  		(Tag_Mask_Of(w) == TAG_X114_MASK)
#define Tag_Is_X115(w)  		(Tag_Mask_Of(w) == TAG_X115_MASK)
#define Tag_Is_X116(w)  		(Tag_Mask_Of(w) == TAG_X116_MASK)
#define Tag_Is_X117(w)  		(Tag_Mask_Of(w) == TAG_X117_MASK)
#define Tag_Is_X118(w)  		(Tag_Mask_Of(w) == TAG_X118_MASK)
#define Tag_Is_X119(w)  		(Tag_Mask_Of(w) == TAG_X119_MASK)
#define Tag_Is_X120(w)  		(Tag_Mask_Of(w) == TAG_X120_MASK)
#define Tag_Is_X121(w)  		(Tag_Mask_Of(w) == TAG_X121_MASK)
#define Tag_Is_X122(w)  		(Tag_Mask_Of(w) == TAG_X122_MASK)
#define Tag_Is_X123(w)  		(Tag_Mask_Of(w) == TAG_X123_MASK)
#define Tag_Is_X124(w)  		(Tag_Mask_Of(w) == TAG_X124_MASK)
#define Tag_Is_X125(w)  		(Tag_Mask_Of(w) == TAG_X125_MASK)
#define Tag_Is_X126(w)  		(Tag_Mask_Of(w) == TAG_X126_MASK)
#define Tag_Is_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN(w)  		(Tag_Mask_Of(w) == TAG_NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN_MASK)

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
  { "X0", LONG_INT, 0, 0},
  { "X1", LONG_INT, 1, 0x1},
  { "X2", LONG_INT, 2, 0x2},
  { "X3", LONG_INT, 3, 0x3},
  { "X4", LONG_INT, 4, 0x4},
  { "X5", LONG_INT, 5, 0x5},
  { "X6", LONG_INT, 6, 0x6},
  { "X7", LONG_INT, 7, 0x7},
  { "X8", LONG_INT, 8, 0x800000000000000},
  { "X9", LONG_INT, 9, 0x800000000000001},
  { "X10", LONG_INT, 10, 0x800000000000002},
  { "X11", LONG_INT, 11, 0x800000000000003},
  { "X12", LONG_INT, 12, 0x800000000000004},
  { "X13", LONG_INT, 13, 0x800000000000005},
  { "X14", LONG_INT, 14, 0x800000000000006},
  { "X15", LONG_INT, 15, 0x800000000000007},
  { "X16", LONG_INT, 16, 0x1000000000000000},
  { "X17", LONG_INT, 17, 0x1000000000000001},
  { "X18", LONG_INT, 18, 0x1000000000000002},
  { "X19", LONG_INT, 19, 0x1000000000000003},
  { "X20", LONG_INT, 20, 0x1000000000000004},
  { "X21", LONG_INT, 21, 0x1000000000000005},
  { "X22", LONG_INT, 22, 0x1000000000000006},
  { "X23", LONG_INT, 23, 0x1000000000000007},
  { "X24", LONG_INT, 24, 0x1800000000000000},
  { "X25", LONG_INT, 25, 0x1800000000000001},
  { "X26", LONG_INT, 26, 0x1800000000000002},
  { "X27", LONG_INT, 27, 0x1800000000000003},
  { "X28", LONG_INT, 28, 0x1800000000000004},
  { "X29", LONG_INT, 29, 0x1800000000000005},
  { "X30", LONG_INT, 30, 0x1800000000000006},
  { "X31", LONG_INT, 31, 0x1800000000000007},
  { "X32", LONG_INT, 32, 0x2000000000000000},
  { "X33", LONG_INT, 33, 0x2000000000000001},
  { "X34", LONG_INT, 34, 0x2000000000000002},
  { "X35", LONG_INT, 35, 0x2000000000000003},
  { "X36", LONG_INT, 36, 0x2000000000000004},
  { "X37", LONG_INT, 37, 0x2000000000000005},
  { "X38", LONG_INT, 38, 0x2000000000000006},
  { "X39", LONG_INT, 39, 0x2000000000000007},
  { "X40", LONG_INT, 40, 0x2800000000000000},
  { "X41", LONG_INT, 41, 0x2800000000000001},
  { "X42", LONG_INT, 42, 0x2800000000000002},
  { "X43", LONG_INT, 43, 0x2800000000000003},
  { "X44", LONG_INT, 44, 0x2800000000000004},
  { "X45", LONG_INT, 45, 0x2800000000000005},
  { "X46", LONG_INT, 46, 0x2800000000000006},
  { "X47", LONG_INT, 47, 0x2800000000000007},
  { "X48", LONG_INT, 48, 0x3000000000000000},
  { "X49", LONG_INT, 49, 0x3000000000000001},
  { "X50", LONG_INT, 50, 0x3000000000000002},
  { "X51", LONG_INT, 51, 0x3000000000000003},
  { "X52", LONG_INT, 52, 0x3000000000000004},
  { "X53", LONG_INT, 53, 0x3000000000000005},
  { "X54", LONG_INT, 54, 0x3000000000000006},
  { "X55", LONG_INT, 55, 0x3000000000000007},
  { "X56", LONG_INT, 56, 0x3800000000000000},
  { "X57", LONG_INT, 57, 0x3800000000000001},
  { "X58", LONG_INT, 58, 0x3800000000000002},
  { "X59", LONG_INT, 59, 0x3800000000000003},
  { "X60", LONG_INT, 60, 0x3800000000000004},
  { "X61", LONG_INT, 61, 0x3800000000000005},
  { "X62", LONG_INT, 62, 0x3800000000000006},
  { "X63", LONG_INT, 63, 0x3800000000000007},
  { "X64", LONG_INT, 64, 0x4000000000000000},
  { "X65", LONG_INT, 65, 0x4000000000000001},
  { "X66", LONG_INT, 66, 0x4000000000000002},
  { "X67", LONG_INT, 67, 0x4000000000000003},
  { "X68", LONG_INT, 68, 0x4000000000000004},
  { "X69", LONG_INT, 69, 0x4000000000000005},
  { "X70", LONG_INT, 70, 0x4000000000000006},
  { "X71", LONG_INT, 71, 0x4000000000000007},
  { "X72", LONG_INT, 72, 0x4800000000000000},
  { "X73", LONG_INT, 73, 0x4800000000000001},
  { "X74", LONG_INT, 74, 0x4800000000000002},
  { "X75", LONG_INT, 75, 0x4800000000000003},
  { "X76", LONG_INT, 76, 0x4800000000000004},
  { "X77", LONG_INT, 77, 0x4800000000000005},
  { "X78", LONG_INT, 78, 0x4800000000000006},
  { "X79", LONG_INT, 79, 0x4800000000000007},
  { "X80", LONG_INT, 80, 0x5000000000000000},
  { "X81", LONG_INT, 81, 0x5000000000000001},
  { "X82", LONG_INT, 82, 0x5000000000000002},
  { "X83", LONG_INT, 83, 0x5000000000000003},
  { "X84", LONG_INT, 84, 0x5000000000000004},
  { "X85", LONG_INT, 85, 0x5000000000000005},
  { "X86", LONG_INT, 86, 0x5000000000000006},
  { "X87", LONG_INT, 87, 0x5000000000000007},
  { "X88", LONG_INT, 88, 0x5800000000000000},
  { "X89", LONG_INT, 89, 0x5800000000000001},
  { "X90", LONG_INT, 90, 0x5800000000000002},
  { "X91", LONG_INT, 91, 0x5800000000000003},
  { "X92", LONG_INT, 92, 0x5800000000000004},
  { "X93", LONG_INT, 93, 0x5800000000000005},
  { "X94", LONG_INT, 94, 0x5800000000000006},
  { "X95", LONG_INT, 95, 0x5800000000000007},
  { "X96", LONG_INT, 96, 0x6000000000000000},
  { "X97", LONG_INT, 97, 0x6000000000000001},
  { "X98", LONG_INT, 98, 0x6000000000000002},
  { "X99", LONG_INT, 99, 0x6000000000000003},
  { "X100", LONG_INT, 100, 0x6000000000000004},
  { "X101", LONG_INT, 101, 0x6000000000000005},
  { "X102", LONG_INT, 102, 0x6000000000000006},
  { "X103", LONG_INT, 103, 0x6000000000000007},
  { "X104", LONG_INT, 104, 0x6800000000000000},
  { "X105", LONG_INT, 105, 0x6800000000000001},
  { "X106", LONG_INT, 106, 0x6800000000000002},
  { "X107", LONG_INT, 107, 0x6800000000000003},
  { "X108", LONG_INT, 108, 0x6800000000000004},
  { "X109", LONG_INT, 109, 0x6800000000000005},
  { "X110", LONG_INT, 110, 0x6800000000000006},
  { "X111", LONG_INT, 111, 0x6800000000000007},
  { "X112", LONG_INT, 112, 0x7000000000000000},
  { "X113", LONG_INT, 113, 0x7000000000000001},
  { "X114", LONG_INT, 114, 0x7000000000000002},
  { "X115", LONG_INT, 115, 0x7000000000000003},
  { "X116", LONG_INT, 116, 0x7000000000000004},
  { "X117", LONG_INT, 117, 0x7000000000000005},
  { "X118", LONG_INT, 118, 0x7000000000000006},
  { "X119", LONG_INT, 119, 0x7000000000000007},
  { "X120", LONG_INT, 120, 0x7800000000000000},
  { "X121", LONG_INT, 121, 0x7800000000000001},
  { "X122", LONG_INT, 122, 0x7800000000000002},
  { "X123", LONG_INT, 123, 0x7800000000000003},
  { "X124", LONG_INT, 124, 0x7800000000000004},
  { "X125", LONG_INT, 125, 0x7800000000000005},
  { "X126", LONG_INT, 126, 0x7800000000000006},
  { "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", LONG_INT, 200, 0xc800000000000000}
};

#else

extern InfTag pl_tag_tbl[];

#endif


   /*--- End Tag Generation ---*/

