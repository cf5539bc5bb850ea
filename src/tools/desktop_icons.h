// Saving and restoring the places of the icons on the desktop under a profile
// of the open safe. The desktop is reached through the seam (PL_Desktop...); the
// profile is chosen in the profile dialog, run through the UI port.
#pragma once

#include <cstdint>

#define DT_ITEM_TEXT_SIZE 512 // the text buffer the desktop's labels are read into

// The "save" command: the dialog, then the icons into the chosen profile. A
// desktop without an icon list or without icons is told first, and no dialog
// is run, so no empty profile is made.
void DT_SaveDesktopIcons();

// The profile dialog (mode 0 save, 1 restore), registered by the window layer;
// it works through DT_ProfileDialogOk and its kin: 0 with the chosen profile's
// id, or -1 when cancelled.
class ProfileView {
  public:
    virtual ~ProfileView();
    virtual int Choose(uint32_t mode, uint32_t *profileId) = 0;
};
void DT_SetProfileView(ProfileView *view);
// The "restore" command: nothing without icon records; else the dialog, then the
// icons put back where the chosen profile has them.
void DT_RestoreDesktopIcons();

// The two halves after the dialog. Storing appends one record per desktop icon
// and answers how many (0: the desktop has none, nothing is recorded), or -1 when
// the desktop could not be reached (logged and shown).
[[nodiscard]] int DT_StoreIconPositions(uint32_t id);
// Placing moves every desktop icon whose label the profile has to that record's
// place; of several icons with one label the first takes the first such record,
// the second the second, and so on. Five passes, as the desktop may shift icons
// that land on one another. 0, or -1 when the desktop could not be reached.
[[nodiscard]] int DT_PlaceIconPositions(uint32_t id);
