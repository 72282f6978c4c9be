// Shows collected diagnostics to the user (a message box on Windows).
#ifndef ZYNMessageBox_h
#define ZYNMessageBox_h

// Widens the UTF-8 text and hands it to the current message-box handler.
void ZYNShowMessageBox(const char *utf8Text);

#endif
