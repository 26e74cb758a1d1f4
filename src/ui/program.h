#pragma once
// The windows of one program run and how the program starts.

class QApplication;

namespace ui {

class ReportSection;
class Main;
class DataEntPwd;
class OptSet;
class Aboutf;

struct Windows {
    ReportSection* report = nullptr;
    Main* main = nullptr;
    DataEntPwd* pwd = nullptr;
    OptSet* optSet = nullptr;
    Aboutf* about = nullptr;
};
Windows& windows();

// The data-entry window, loaded on first use.
Main* ensureMain();
// The administrator window, loaded on first use (and after it was closed).
OptSet* ensureOptSet();
void showAbout();

// Creates the report window and runs the start-up sequence. Returns false
// when the program ended during start-up.
bool startProgram();
// Deletes every window (tests start each case afresh).
void closeProgram();

// The whole program: start-up and the event loop.
int runProgram(QApplication& app);

} // namespace ui
