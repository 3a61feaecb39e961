#include "harness.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace harness {
namespace {

void write_file(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a regular file; nothing for a directory, a link or a missing file.
std::optional<std::string> read_if_regular(const fs::path& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return read_file(path);
}

fs::path make_temp_root() {
    // Memory-backed when the machine has it: the tests make and remove thousands of small folders.
    const char* base = std::getenv("TMPDIR");
    if (!base || !*base) base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/nodup-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void set_up_list(const fs::path& path, const Scene& scene) {
    switch (scene.list) {
        case ListFile::absent: break;
        case ListFile::bytes: write_file(path, scene.list_bytes); break;
        case ListFile::directory: fs::create_directory(path); break;
        case ListFile::dev_full: fs::create_symlink("/dev/full", path); break;
    }
}

void set_up_nodup(const fs::path& path, NodupFile nodup) {
    switch (nodup) {
        case NodupFile::absent: break;
        case NodupFile::stale: write_file(path, stale_content); break;
        case NodupFile::directory: fs::create_directory(path); break;
        case NodupFile::dev_full: fs::create_symlink("/dev/full", path); break;
    }
}

[[noreturn]] void exec_child(const std::string& path, const Scene& scene, const fs::path& work,
                             const fs::path& root) {
    const int null_in = open("/dev/null", O_RDONLY);
    const int out = open((root / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open((root / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (null_in < 0 || out < 0 || err < 0 || chdir(work.c_str()) != 0) _exit(127);
    dup2(null_in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : scene.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (!scene.leak_checks) setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    alarm(static_cast<unsigned>(scene.timeout_seconds));  // survives exec: a hung program dies of SIGALRM
    execv(path.c_str(), argv.data());
    _exit(127);
}

}  // namespace

std::string program_path(std::string_view name) { return std::string(PROGRAM_DIR) + "/" + std::string(name); }

Outcome run(std::string_view program, const Scene& scene) {
    const fs::path root = make_temp_root();
    const fs::path work = root / "work";
    fs::create_directory(work);
    set_up_list(work / "list.txt", scene);
    set_up_nodup(work / "nodup.txt", scene.nodup);

    std::vector<int> held_locks;
    for (const auto& [wanted, name] : {std::pair{scene.lock_list, "list.txt"}, std::pair{scene.lock_nodup, "nodup.txt"}}) {
        if (!wanted) continue;
        const int descriptor = open((work / name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0 || flock(descriptor, LOCK_EX | LOCK_NB) != 0) throw std::runtime_error("cannot lock");
        held_locks.push_back(descriptor);
    }

    const std::string path = program_path(program);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) exec_child(path, scene, work, root);

    int wait_status = 0;
    while (waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
    }

    for (const int descriptor : held_locks) close(descriptor);

    Outcome outcome;
    if (WIFEXITED(wait_status)) outcome.status = WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) outcome.signal = WTERMSIG(wait_status);
    outcome.printed = read_file(root / "stdout");
    outcome.errors = read_file(root / "stderr");
    outcome.list = read_if_regular(work / "list.txt");
    outcome.nodup = read_if_regular(work / "nodup.txt");
    fs::remove_all(root);

    EXPECT_EQ(outcome.signal, 0) << program << " was killed by signal " << outcome.signal
                                 << (outcome.signal == SIGALRM ? " (timed out)" : "");
    EXPECT_EQ(outcome.errors, "") << program << " wrote to standard error";
    return outcome;
}

Outcome run_on(std::string_view program, std::string_view list_bytes, bool leak_checks) {
    Scene scene;
    scene.list_bytes = std::string(list_bytes);
    scene.leak_checks = leak_checks;
    return run(program, scene);
}

}  // namespace harness
