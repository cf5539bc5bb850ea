// The Options sheet "Properties": its five pages and their controls.
#pragma once

#define IDD_OP_FOLDER 320
#define IDD_OP_DISPLAY 321
#define IDD_OP_PROGRAM 322
#define IDD_OP_CRYPTO 323
#define IDD_OP_MISC 324

// "Folder/Safe"
#define IDC_OP_SAFEPATH 1500
#define IDC_OP_SAFEBROWSE 1501
#define IDC_OP_OPENLAST 1502
#define IDC_OP_BACKUPPATH 1503
#define IDC_OP_BACKUPBROWSE 1504
#define IDC_OP_AUTOBACKUP 1505
#define IDC_OP_GENERATIONS 1506
#define IDC_OP_PDAPATH 1507
#define IDC_OP_PDABROWSE 1508
// "Display properties"
#define IDC_OP_ICON32 1510
#define IDC_OP_ICON24 1511
#define IDC_OP_ICON16 1512
#define IDC_OP_TREESAMPLE 1513 // the left window's colour
#define IDC_OP_TREECOLOUR 1514
#define IDC_OP_LISTSAMPLE 1515 // the right window's colour
#define IDC_OP_LISTCOLOUR 1516
#define IDC_OP_SKIN 1517
#define IDC_OP_SKINBROWSE 1518
#define IDC_OP_WINDOWS 1519
#define IDC_OP_TEST 1520
// "Program properties"
#define IDC_OP_TRAYMIN 1521
#define IDC_OP_TRAYCLOSE 1522
#define IDC_OP_ONTOP 1523
#define IDC_OP_TIMEOUT 1524
#define IDC_OP_TIMEOUTCLOSE 1525
#define IDC_OP_MINUTES 1526
#define IDC_OP_STARTMIN 1527
#define IDC_OP_AUTOSTART 1528
// "Cryptography": AES, BLOWFISH, CAST-128, SKIPJACK in this order
#define IDC_OP_AES 1530
#define IDC_OP_BLOWFISH 1531
#define IDC_OP_CAST 1532
#define IDC_OP_SKIPJACK 1533
// "Miscellaneous"
#define IDC_OP_QWFOLDER 1535
#define IDC_OP_QWURL 1536
#define IDC_OP_SECONDS 1537
#define IDC_OP_HIDEONSTART 1538
#define IDC_OP_CONFIRMDELETE 1539
#define IDC_OP_SOUND 1540
#define IDC_OP_SOUNDBROWSE 1541
#define IDC_OP_PLAY 1542
