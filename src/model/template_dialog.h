// The "Foldertemplates" dialog: choosing a template to change or naming a new
// one, which then opens the field-description editor for it.
#pragma once

#include "model/dialog_answer.h"
#include "model/field_editor.h"

// The "Foldertemplates" dialog. "Change template" (OK) with the existing name and
// "Create" with the new name check the name; on success they make it the current
// template, open the editor state in mode 1 (the template's fields and icon) or
// mode 0 (empty, after the question "Template [%s] create ?") and answer
// DLG_NEXT: the dialog then runs the editor, and after a "Create" it closes.
DLG_ANSWER TW_ChangeTemplate(const char *name, FE_EDITOR *ed);
DLG_ANSWER TW_CreateTemplate(const char *name, FE_EDITOR *ed);
