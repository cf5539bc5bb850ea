// Main window: menu 148, toolbar, commands, program icon, about box.
#pragma once

#define IDI_PROGRAM 107
#define IDM_MAINMENU 148
