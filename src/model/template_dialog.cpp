#include "model/template_dialog.h"

#include "model/templates.h"
#include "platform/uiport.h"

#include <cstdio>
#include <string>

namespace {
// A template name becomes a section name and the first token of a value.
bool UsableName(const std::string &name) { return name.find_first_of(",[]=") == std::string::npos; }
} // namespace

DLG_ANSWER TW_ChangeTemplate(const char *name, FE_EDITOR *ed) {
    std::string n = TW_CleanName(name);
    if (n.empty())
        return DLG_Error("please enter templatename!", TW_ID_EXISTING);
    if (!TW_TemplateExists(n.c_str()))
        return DLG_Error("Template not found", TW_ID_EXISTING);
    snprintf(cTemplateName, sizeof cTemplateName, "%s", n.c_str());
    TW_LoadTemplate(cTemplateName);
    char icon[TW_NAME_LEN];
    TW_GetTemplateIcon(cTemplateName, icon, "TW03");
    FE_OpenFolder(ed, FE_MODE_CHANGE_TEMPLATE, cTemplateName, icon);
    return {DLG_NEXT, nullptr, nullptr, 0, 0};
}

DLG_ANSWER TW_CreateTemplate(const char *name, FE_EDITOR *ed) {
    std::string n = TW_CleanName(name);
    if (n.empty())
        return DLG_Error("please enter templatename!", TW_ID_NEWNAME);
    if (!UsableName(n))
        return DLG_Error("templatename must not contain , [ ] or =", TW_ID_NEWNAME);
    if (TW_TemplateExists(n.c_str()))
        return DLG_Error("Template already existing", TW_ID_NEWNAME);
    char question[80];
    snprintf(question, sizeof question, "Template [%s] create ?", n.c_str());
    if (UI_MessageBox(question, "Create ?", UI_MB_YESNO | UI_MB_ICONQUESTION | UI_MB_TOPMOST) != UI_IDYES)
        return DLG_Stay(TW_ID_NEWNAME);
    snprintf(cTemplateName, sizeof cTemplateName, "%s", n.c_str());
    FE_OpenFolder(ed, FE_MODE_NEW_TEMPLATE, cTemplateName, "");
    return {DLG_NEXT, nullptr, nullptr, 0, 0};
}
