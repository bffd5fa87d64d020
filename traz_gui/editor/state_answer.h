// The program's state as a text for the GUI test driver's question
// (TRAZ_GUI_TEST_STATE of gui_test_protocol.h).
#ifndef TRAZ_EDITOR_STATE_ANSWER_H
#define TRAZ_EDITOR_STATE_ANSWER_H

#include <string>

std::string DriverStateText();

#endif
