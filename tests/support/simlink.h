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

// A recorder with the status model on the n-th recorder address, listening.
std::unique_ptr<sim::SimRecorder> startRecorder(int n);

// Stands in for the settings menu screen, which draws the menu at the end of
// every walk: from now on each completed walk sets drawingFinished. Done once
// per app, however often it is called.
void drawMenuOnCompletion(ObjectGraph& app);

// Logs app in to recorder and waits until the main screens would show and the
// settings-menu walk is over (drawn as by drawMenuOnCompletion). Returns the recorder's id of the connection, or
// 0 when the login did not complete within timeoutMs.
int logIn(ObjectGraph& app, sim::SimRecorder& recorder, int timeoutMs = 5000);

// True when run occurs in lines as consecutive entries.
bool containsRun(const QStringList& lines, const QStringList& run);

} // namespace simlink
