#pragma once
// Resource IDs of l3codecp.exe.
#define IDR_L3CODECP_DRIVER 101
#define IDI_L3CODECP_PROGRAM 1
