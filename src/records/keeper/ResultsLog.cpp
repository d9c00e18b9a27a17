// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/ResultsLog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ResultsLog {

namespace {

// A line is well under a kilobyte; a log whose end holds no line break this
// far back was not written by the keeper.
constexpr off_t kTailBytes = 64 * 1024;

Failure failure(const char* entry, int error) {
    // A link, a directory or a FIFO where the log belongs.
    if (error == ELOOP || error == EISDIR || error == ENXIO) {
        return {entry, "not-regular"};
    }
    return {entry, std::to_string(error)};
}

// The log, opened for appending and created if missing.
std::optional<Failure> openLog(int directory, int& fd, off_t& size, void (*beforeSystemCall)()) {
    beforeSystemCall();
    fd = openat(directory, kFile, O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                0660);
    if (fd < 0) {
        return failure(kFile, errno);
    }
    struct stat st {};
    beforeSystemCall();
    if (fstat(fd, &st) != 0) {
        return failure(kFile, errno);
    }
    if (!S_ISREG(st.st_mode)) {
        return Failure{kFile, "not-regular"};
    }
    size = st.st_size;
    return std::nullopt;
}

// Cuts off a last line that a crash or a kill left without its end.
std::optional<Failure> dropCutLine(int fd, off_t& size, void (*beforeSystemCall)()) {
    if (size == 0) {
        return std::nullopt;
    }
    const off_t tail = std::min(size, kTailBytes);
    std::string bytes(std::size_t(tail), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        beforeSystemCall();
        const ssize_t n =
            pread(fd, bytes.data() + got, bytes.size() - got, size - tail + off_t(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failure(kFile, n < 0 ? errno : EIO);
        }
        got += std::size_t(n);
    }
    if (bytes.back() == '\n') {
        return std::nullopt;
    }
    const std::size_t lastBreak = bytes.rfind('\n');
    if (lastBreak == std::string::npos && tail < size) {
        return Failure{kFile, "not-a-log"};
    }
    const off_t whole = lastBreak == std::string::npos ? 0 : size - tail + off_t(lastBreak) + 1;
    beforeSystemCall();
    if (ftruncate(fd, whole) != 0) {
        return failure(kFile, errno);
    }
    size = whole;
    return std::nullopt;
}

} // namespace

std::string header() {
    return "\xEF\xBB\xBF"
           "data e ora;computer;utente;nome;esatte;sbagliate;totale;record\r\n";
}

std::string field(std::string_view text) {
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    const bool formula = !clean.empty() && std::strchr("=+-@", clean.front()) != nullptr;
    if (!formula && clean.find_first_of(";\"") == std::string::npos) {
        return clean;
    }
    std::string quoted = formula ? "\"'" : "\"";
    for (const char c : clean) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string line(const Game& game) {
    const int total = game.right + game.wrong;
    return field(game.when) + ';' + field(game.host) + ';' + field(game.account) + ';' +
           field(game.name) + ';' + std::to_string(game.right) + ';' + std::to_string(game.wrong) +
           ';' + std::to_string(total) + ';' + (game.record ? "sì" : "no") + "\r\n";
}

std::string localTime(std::time_t moment) {
    std::tm local{};
    char text[40] = {};
    if (localtime_r(&moment, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0) {
        return {};
    }
    // +0100 becomes +01:00, as ISO 8601 writes it in full.
    std::string iso(text);
    if (iso.size() >= 5) {
        iso.insert(iso.size() - 2, 1, ':');
    }
    return iso;
}

std::optional<Failure> append(int directory, const std::string& text, void (*beforeSystemCall)()) {
    int fd = -1;
    off_t size = 0;
    struct Closer {
        int& fd;
        ~Closer() {
            if (fd >= 0) {
                close(fd);
            }
        }
    } closer{fd};

    if (auto failed = openLog(directory, fd, size, beforeSystemCall)) {
        return failed;
    }
    if (auto failed = dropCutLine(fd, size, beforeSystemCall)) {
        return failed;
    }
    if (size > 0 && std::size_t(size) + text.size() > kMaxBytes) {
        // The whole log moves aside in one step and a new one starts.
        beforeSystemCall();
        if (renameat(directory, kFile, directory, kOlderFile) != 0) {
            return failure(kOlderFile, errno);
        }
        close(fd);
        fd = -1;
        if (auto failed = openLog(directory, fd, size, beforeSystemCall)) {
            return failed;
        }
    }
    const bool isNew = size == 0;

    const std::string bytes = isNew ? header() + text : text;
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size() && error == 0) {
        beforeSystemCall();
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += std::size_t(n);
        } else if (n == 0) {
            error = EIO;
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    if (error == 0) {
        beforeSystemCall();
        // A full disk or a network file system may report a failed write only here.
        if (fsync(fd) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        // Nothing of the line stays behind.
        beforeSystemCall();
        if (ftruncate(fd, size) == 0) {
            fsync(fd);
        }
        return failure(kFile, error);
    }
    if (isNew) {
        beforeSystemCall();
        if (fsync(directory) != 0 && errno != EINVAL) {
            return failure(".", errno);
        }
    }
    beforeSystemCall();
    const int closed = close(fd);
    fd = -1;
    if (closed != 0) {
        return failure(kFile, errno);
    }
    return std::nullopt;
}

} // namespace ResultsLog
