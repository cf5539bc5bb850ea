#include "tools/note_text.h"

#include "frame/datetext.h"
#include "frame/memory.h"
#include "model/notes_list.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

int NW_SetNoteText(NOTIZ *note, const char *text) {
    size_t n = text ? strlen(text) : 0;
    if (n >= NOTE_TEXT_MAX)
        n = NOTE_TEXT_MAX - 1; // a longer text could not be read back from the safe
    if (n == 0) {
        if (note->lpText)
            T_FreeSecret("NW_F_02", note->lpText, note->nTextSize);
        note->lpText = nullptr;
        note->nTextSize = 0;
        return 0;
    }
    uint32_t size = static_cast<uint32_t>(n + 1);
    if (note->lpText && note->nTextSize == size) {
        memcpy(note->lpText, text, n);
        note->lpText[n] = 0;
        return 0;
    }
    // A new buffer rather than a reallocation: the old text is wiped, not left behind.
    char *buffer = static_cast<char *>(T_Malloc(note->lpText ? "NW_R_00" : "NW_M_01", size));
    if (!buffer)
        return -1;
    memcpy(buffer, text, n);
    if (note->lpText)
        T_FreeSecret("NW_F_04", note->lpText, note->nTextSize);
    note->lpText = buffer;
    note->nTextSize = size;
    return 0;
}

void NW_TextTitle(const char *text, char title[NW_TITLE_SIZE]) {
    size_t n = 0;
    while (text && n < NW_TITLE_CHARS && text[n] && text[n] != '\r' && text[n] != '\n')
        ++n;
    if (n)
        memcpy(title, text, n);
    title[n] = 0;
}

bool NW_HasAlarm(const NOTIZ *note) { return note->szAlarmDate[0] != 0; }

void NW_AlarmTitle(const NOTIZ *note, char title[NW_TITLE_SIZE]) {
    const char *d = note->szAlarmDate, *t = note->szAlarmTime;
    snprintf(title, NW_TITLE_SIZE, "Alert: %02d/%02d/%02d %02d:%02d", T_TwoDigits(d + 2), T_TwoDigits(d),
             T_TwoDigits(d + 4), T_TwoDigits(t), T_TwoDigits(t + 2));
}

void NW_NoteTitle(const NOTIZ *note, char title[NW_TITLE_SIZE]) {
    if (NW_HasAlarm(note))
        NW_AlarmTitle(note, title);
    else
        NW_TextTitle(note->lpText, title);
}

int NW_NoteTextChanged(NOTIZ *note, const char *text) {
    char title[NW_TITLE_SIZE];
    if (NW_HasAlarm(note))
        NW_AlarmTitle(note, title);
    else
        NW_TextTitle(text, title);
    NW_SetWindowTitle(note, title);
    PL_SecureZero(title, sizeof title); // the start of the note's text
    return NW_SetNoteText(note, text);
}
