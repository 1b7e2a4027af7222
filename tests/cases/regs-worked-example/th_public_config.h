
#define __TARNHOLLOW__        	1
#define __TARNHOL__           	1
#define __TARNHOL_MINOR__     	0
#define __TARNHOL_PATCHLEVEL__	0
#define __TARNHOL_VERSION__   	10000

#define PROLOG_DIALECT  	"tarnhol"
#define PROLOG_NAME     	"Tarnhollow"
#define PROLOG_VERSION  	"1.0.0"
#define PROLOG_DATE     	"Dec 8 2026"
#define PROLOG_COPYRIGHT	"Copyright (C) 2026 The Tarnhollow authors"

