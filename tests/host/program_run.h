/*
 * Runs a program's entry point against the fake in a child process, as the
 * platform would start it: in a folder of its own, with standard output and
 * standard error going to files, and ending through the standard library's
 * exit, which flushes every stream. The test then sees what a user or a
 * calling script would: the exit status, the bytes of both streams and of
 * the run log, and the fake's journal of calls.
 */
#ifndef ZORVEK_PROGRAM_RUN_H
#define ZORVEK_PROGRAM_RUN_H

#include "fake_win32.h"

#include <functional>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1; /* exit status, or -1 when the child did not exit */
    std::string out;
    std::string err;
    std::string runLog;
    bool runLogExists = false;
    std::vector<std::string> journal;
};

/* Makes a new empty folder; `prepare`, if given, runs in the child before
   the entry point, with that folder as the current one. */
ProgramRun RunProgram(const fake::Script &script, const std::function<int()> &entry,
                      const std::function<void()> &prepare = nullptr);

/* The journal lines that begin with `name`, in order. */
std::vector<std::string> CallsTo(const ProgramRun &run, const std::string &name);

#endif
