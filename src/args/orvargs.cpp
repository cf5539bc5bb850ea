#include "args/orvargs.h"

#include <cstring>

void ARGS_SplitFields(const char *cmdLine, ARGS_FIELDTAB *fields) {
    for (auto &f : fields->field)
        strcpy(f, ARGS_EMPTY_FIELD);
    char line[ARGS_MAX_CMDLINE + 1];
    strncpy(line, cmdLine ? cmdLine : "", ARGS_MAX_CMDLINE);
    line[ARGS_MAX_CMDLINE] = 0;

    // Runs of TABs separate tokens, so no token is ever empty.
    int n = 0;
    char *p = line;
    while (n < ARGS_FIELDS) {
        while (*p == '\t')
            ++p;
        if (!*p)
            break;
        char *token = p;
        while (*p && *p != '\t')
            ++p;
        if (*p)
            *p++ = 0;
        // A single blank stands for an empty field; every field after the first
        // is introduced by one character (the blank after the TAB) that is dropped.
        if (strcmp(token, " ") != 0) {
            const char *text = n == 0 ? token : token + 1;
            size_t len = strnlen(text, ARGS_FIELD_LEN);
            memcpy(fields->field[n], text, len);
            fields->field[n][len] = 0;
        }
        ++n;
    }
}

int ARGS_GetExitCode(const char *cmdLine) {
    ARGS_FIELDTAB fields;
    ARGS_SplitFields(cmdLine, &fields);
    return strlen(fields.field[0]) >= 4 ? ARGS_EXIT_LONG : 0;
}
