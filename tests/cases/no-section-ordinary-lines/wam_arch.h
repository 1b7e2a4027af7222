/* Tarnhollow engine */

#define WAM_WORD 64
  @indented
last line