#include "program_run.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string g_journalPath;

void SaveJournalAtExit(void)
{
    fake::SaveJournal(g_journalPath.c_str());
}

bool ReadFileText(const std::string &path, std::string &text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

std::string NewFolder(void)
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/zorvek-run-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

} // namespace

ProgramRun RunProgram(const fake::Script &script, const std::function<int()> &entry,
                      const std::function<void()> &prepare)
{
    const std::string folder = NewFolder();
    g_journalPath = folder + "/journal";

    /* Nothing of the parent's buffered output may be written twice. */
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0 || std::freopen("stdout", "w", stdout) == nullptr ||
            std::freopen("stderr", "w", stderr) == nullptr)
            _exit(99);
        /* Fully buffered, as a redirected stream is on the platform. */
        std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
        std::setvbuf(stderr, nullptr, _IOFBF, BUFSIZ);
        if (prepare)
            prepare();
        fake::Reset(script);
        std::atexit(SaveJournalAtExit);
        std::exit(entry());
    }

    ProgramRun run;
    int wstatus = 0;
    if (child > 0 && waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus))
        run.status = WEXITSTATUS(wstatus);
    ReadFileText(folder + "/stdout", run.out);
    ReadFileText(folder + "/stderr", run.err);
    struct stat runLog;
    run.runLogExists = stat((folder + "/logfile.txt").c_str(), &runLog) == 0 && S_ISREG(runLog.st_mode) &&
                       ReadFileText(folder + "/logfile.txt", run.runLog);
    std::string journal;
    ReadFileText(g_journalPath, journal);
    std::istringstream lines(journal);
    for (std::string line; std::getline(lines, line);)
        run.journal.push_back(line);

    const std::string remove = "rm -rf '" + folder + "'";
    if (std::system(remove.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", folder.c_str());
    return run;
}

std::vector<std::string> CallsTo(const ProgramRun &run, const std::string &name)
{
    std::vector<std::string> calls;
    for (const std::string &line : run.journal) {
        if (line.compare(0, name.size(), name) == 0)
            calls.push_back(line);
    }
    return calls;
}
