#pragma once
// Resource numbers of Quorvane.exe.
#define IDI_MAIN 1
#define IDI_PRED 101
#define IDI_PGREEN 102
#define IDI_PBLUE 103
#define IDI_PYELLOW 104
#define IDI_PICTURE1 111
#define IDI_PICTURE2 112
#define IDI_PICTURE3 113
#define IDI_PICTURE4 114
