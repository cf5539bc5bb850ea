// The safe dialogs: create, open, enter password, change password.
#pragma once
