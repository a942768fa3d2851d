#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "objectgraph.h"
#include "recorderstate.h"
#include "simrecorder.h"

// Helpers for tests that run the application's objects against simulated
// recorders (inside the private network namespace only).
namespace simlink {

// How long a test waits for what a simulated recorder and the application do.
// Long enough for a heavily loaded machine: a wait that is met ends at once.
constexpr int waitMs = 20000;

// A recorder with the status model on the n-th recorder address, listening.
std::unique_ptr<sim::SimRecorder> startRecorder(int n);

// Stands in for the settings menu screen, which draws the menu at the end of
// every walk: from now on each completed walk sets drawingFinished. Done once
// per app, however often it is called.
void drawMenuOnCompletion(ObjectGraph& app);

// Logs app in to recorder and waits until the main screens would show and the
// settings-menu walk is over (drawn as by drawMenuOnCompletion). Returns the recorder's id of the connection, or
// 0 when the login did not complete within timeoutMs.
int logIn(ObjectGraph& app, sim::SimRecorder& recorder, int timeoutMs = waitMs);

// True when run occurs in lines as consecutive entries.
bool containsRun(const QStringList& lines, const QStringList& run);

} // namespace simlink
