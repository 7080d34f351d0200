#pragma once
// Text fields take only what code page 1250 holds: every file for other programs is written in
// it, so a character it lacks would be lost later in a batch file or a report. The refusal
// happens at entry, with a beep and a short note by the field.
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace vidoraw {

// Refuses typed, pasted or dropped text that code page 1250 cannot hold; text the program
// sets is left alone. A validator the field already has still applies. Calling again on the
// same field changes nothing.
void AcceptOnlyCp1250(QLineEdit* field);
void AcceptOnlyCp1250(QPlainTextEdit* field);
void AcceptOnlyCp1250(QTextEdit* field);
// Every text field inside root (the number boxes' own fields excepted).
void AcceptOnlyCp1250In(QWidget* root);

} // namespace vidoraw
