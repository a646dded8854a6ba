// The application-wide wait cursor for the life of the object. Does nothing
// when the program has no QApplication (tests of plain logic, tools).
#pragma once

class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown = false;
};
