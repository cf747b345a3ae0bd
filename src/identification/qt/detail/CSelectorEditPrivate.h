#pragma once

class QLineEdit;
class QPlainTextEdit;

/// What CSelectorEdit holds behind its one pointer: its editor, one of the
/// two. Never installed.
class CSelectorEditPrivate {
public:
    QLineEdit* line = nullptr;
    QPlainTextEdit* lines = nullptr;
};
