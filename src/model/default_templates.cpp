#include "model/default_templates.h"

#include "config/inifile.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstring>

// The same bytes as dist/orvtemplate.ini, which a test compares.
const char TW_DefaultTemplates[] =
    "[Templates]\r\n"
    "Ordner1=Web login,Web.ico\r\n"
    "Ordner2=E-mail account,Mail.ico\r\n"
    "Ordner3=Bank account,Bank.ico\r\n"
    "Ordner4=Credit card,CreditCard.ico\r\n"
    "Ordner5=Software licence,Key.ico\r\n"
    "Ordner6=Program,Software.ico\r\n"
    "Ordner7=Wi-Fi network,Wifi.ico\r\n"
    "\r\n"
    "[Web login]\r\n"
    "Feld1=Web address,2,250,0\r\n"
    "Feld2=User name,0,80,1\r\n"
    "Feld3=Password,1,80,1\r\n"
    "Feld4=Notes,0,250,0\r\n"
    "\r\n"
    "[E-mail account]\r\n"
    "Feld1=E-mail address,3,120,1\r\n"
    "Feld2=Password,1,80,1\r\n"
    "Feld3=User name,0,80,0\r\n"
    "Feld4=Incoming server,0,100,0\r\n"
    "Feld5=Outgoing server,0,100,0\r\n"
    "Feld6=Webmail,2,250,0\r\n"
    "\r\n"
    "[Bank account]\r\n"
    "Feld1=Bank,0,60,0\r\n"
    "Feld2=Account holder,0,60,0\r\n"
    "Feld3=IBAN,0,34,0\r\n"
    "Feld4=BIC,0,11,0\r\n"
    "Feld5=Online banking,2,250,0\r\n"
    "Feld6=Login,0,40,1\r\n"
    "Feld7=PIN,1,20,1\r\n"
    "\r\n"
    "[Credit card]\r\n"
    "Feld1=Card holder,0,60,1\r\n"
    "Feld2=Card number,1,19,1\r\n"
    "Feld3=Valid until (MM/YY),0,5,1\r\n"
    "Feld4=Security code,1,4,1\r\n"
    "Feld5=PIN,1,12,0\r\n"
    "Feld6=Expiry reminder,5,10,0\r\n"
    "Feld7=Lost card hotline,0,30,0\r\n"
    "\r\n"
    "[Software licence]\r\n"
    "Feld1=Product,0,60,0\r\n"
    "Feld2=Version,0,20,0\r\n"
    "Feld3=Licensed to,0,60,1\r\n"
    "Feld4=Licence key,1,120,1\r\n"
    "Feld5=Order number,0,40,0\r\n"
    "Feld6=Download,2,250,0\r\n"
    "Feld7=Renewal date,5,10,0\r\n"
    "\r\n"
    "[Program]\r\n"
    "Feld1=Program,4,250,0\r\n"
    "Feld2=User name,0,80,1\r\n"
    "Feld3=Password,1,80,1\r\n"
    "Feld4=Notes,0,250,0\r\n"
    "\r\n"
    "[Wi-Fi network]\r\n"
    "Feld1=Network name (SSID),0,32,0\r\n"
    "Feld2=Password,1,63,1\r\n"
    "Feld3=Security,0,20,0\r\n"
    "Feld4=Router address,2,250,0\r\n"
    "Feld5=Router password,1,80,0\r\n";

int TW_InstallDefaultTemplates() {
    char path[MAX_PGM_DIR + 20];
    if (II_GetIniPath(INI_FILE_TEMPLATES, path, sizeof path) != 0)
        return -1;
    if (PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES)
        return 0; // the user's own templates are never replaced
    char temp[MAX_PGM_DIR + 24];
    snprintf(temp, sizeof temp, "%s.tmp", path);
    PL_HANDLE h = PL_CreateFile(temp, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_NORMAL);
    if (!h) {
        ML_WriteLogF("TW06", PL_GetLastError(), "error creating template file %s", temp);
        return -1;
    }
    int rc = T_WriteFile("TW07", h, TW_DefaultTemplates, static_cast<uint32_t>(strlen(TW_DefaultTemplates)));
    if (rc == 0 && PL_FlushFileBuffers(h) != 0)
        rc = -1;
    PL_CloseHandle(h);
    // Without replacing: a template file that appeared meanwhile stays as it is.
    if (rc == 0 && PL_MoveFileEx(temp, path, PL_MOVE_WRITE_THROUGH) != 0)
        rc = -1;
    if (rc != 0) {
        ML_WriteLogF("TW08", PL_GetLastError(), "error writing template file %s", path);
        PL_DeleteFile(temp);
    }
    return rc;
}
