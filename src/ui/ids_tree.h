// Tree and card list: context menus, images, cursors, the dialogs of the panes.
#pragma once
