// What the tree shows of the open safe: which folders, cards and field items,
// under which parent, with which text, kind and image, and which items are
// expanded. The window layer hands in a sink that makes the real items; every
// record keeps the handle of its item (null when it is not shown).
#pragma once

#include "model/records.h"

#include <cstdint>

// Item kinds, carried as each tree item's data.
enum : uint32_t {
    TV_KIND_NONE = 0,
    TV_KIND_SAFE = 1,
    TV_KIND_FOLDER = 2,
    TV_KIND_CARD = 4,
    TV_KIND_FIELD = 8,
    TV_KIND_URL = 16,
};

// Fixed images at the start of the tree's image list; the user icons follow
// from TV_ICON_BASE on, in icon list order.
enum : int {
    TV_IMG_DEFAULT = -1, // stands for the default card image
    TV_IMG_SAFE = 0,     // icon 142
    TV_IMG_FOLDER = 1,   // icon 140
    TV_IMG_CARD = 2,     // icon 164, the default card image
    TV_IMG_FIELD = 3,    // icon 165
    TV_IMG_URL = 4,      // icon 200
    TV_IMG_LOCK = 5,     // icon 245
    TV_IMG_ALARM = 6,    // icon 213
    TV_ICON_BASE = 7,
};

struct TVB_SINK {
    void *ctx;
    // Appends an item as the last child of parent; answers its handle (null on failure).
    TREEHANDLE (*insert)(void *ctx, TREEHANDLE parent, const char *text, uint32_t kind, int image);
    void (*expand)(void *ctx, TREEHANDLE item);
    // The stored index of a user icon (its image minus TV_ICON_BASE), or -1.
    int (*iconIndex)(void *ctx, const char *iconName);
    // When given, a collapsed folder's cards wait for TVB_FillFolder and a
    // collapsed card's field items for TVB_FillCard: a folder or card that has
    // some is handed here instead, to be shown as having children. A safe of
    // ten thousand cards in a hundred folders then opens as a hundred items.
    void (*promise)(void *ctx, TREEHANDLE item);
};

struct TVB_OPTIONS {
    int bQuickWindow;  // the program runs as its quick window
    int bShowFolders;  // QWShowFolder: the quick window shows the folders too
};

// The image of a user icon by name: TV_ICON_BASE plus its stored index, or
// TV_IMG_DEFAULT when the icon list does not know it.
int TVB_IconImage(const TVB_SINK *sink, const char *iconName);

// Every record forgets its tree item (the tree was emptied).
void TVB_ForgetItems();

// Appends the folders, cards and field items below the safe's item and expands
// what was expanded. Handles of records not shown, or still to come, are null.
void TVB_BuildTree(TREEHANDLE hSafe, const TVB_OPTIONS *options, const TVB_SINK *sink);

// Inserts the field items of the card shown as hCard, as TVB_BuildTree would
// have: their number, or -1 when no shown card has that item.
int TVB_FillCard(TREEHANDLE hCard, const TVB_OPTIONS *options, const TVB_SINK *sink);

// Inserts the card items of the folder shown as hFolder that are not there
// yet, with their field items, as TVB_BuildTree would have, and expands those
// stored expanded: their number, or -1 when no shown folder has that item.
int TVB_FillFolder(TREEHANDLE hFolder, const TVB_OPTIONS *options, const TVB_SINK *sink);

// Whether the alarm table holds the folder, the card.
int TVB_FolderHasAlarm(uint32_t nOrdnerKennung);
int TVB_CardHasAlarm(uint32_t nKartenKennung);
