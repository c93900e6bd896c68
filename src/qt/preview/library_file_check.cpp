#include "qt/preview/library_file_check.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#if __has_include(<elf.h>)
#include <elf.h>
#define QUILLBAY_HAS_ELF 1
#endif

#if defined(QUILLBAY_HAS_ELF)
#if Q_PROCESSOR_WORDSIZE == 8
using NativeElfHeader = Elf64_Ehdr;
#else
using NativeElfHeader = Elf32_Ehdr;
#endif
// The linker's name for the header of the image this code is part of: a library fits this process when its
// class, byte order and machine are the same as ours.
extern "C" const NativeElfHeader __ehdr_start;
#endif

namespace quillbay {

namespace {

using Verdict = LibraryFileCheck::Verdict;

LibraryFileCheck damaged(const QString& detail) { return {Verdict::Damaged, detail}; }

#if defined(QUILLBAY_HAS_ELF)

using Ehdr = NativeElfHeader;
#if Q_PROCESSOR_WORDSIZE == 8
using Phdr = Elf64_Phdr;
using Shdr = Elf64_Shdr;
#else
using Phdr = Elf32_Phdr;
using Shdr = Elf32_Shdr;
#endif

// Where a block of `count` records of `unit` bytes at `offset` ends; none when that overflows.
std::optional<quint64> blockEnd(quint64 offset, quint64 count, quint64 unit) {
    constexpr quint64 kMax = std::numeric_limits<quint64>::max();
    if (unit != 0 && count > (kMax - offset) / unit) return std::nullopt;
    return offset + count * unit;
}

template <typename Record>
bool readAt(QFile& file, quint64 offset, Record& record) {
    return file.seek(static_cast<qint64>(offset)) &&
           file.read(reinterpret_cast<char*>(&record), sizeof record) == static_cast<qint64>(sizeof record);
}

LibraryFileCheck cutShort(quint64 size, quint64 needed) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);  // the messages' language, thousands grouped
    return damaged(QStringLiteral("it is cut short: it holds %1 bytes, but its headers describe %2")
                       .arg(english.toString(size), english.toString(needed)));
}

LibraryFileCheck checkElf(QFile& file) {
    const quint64 size = static_cast<quint64>(file.size());
    Ehdr header{};
    const qint64 got = file.read(reinterpret_cast<char*>(&header), sizeof header);
    if (got < SELFMAG || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return damaged(QStringLiteral("it is not a program library"));
    if (got < static_cast<qint64>(sizeof header)) return cutShort(size, sizeof header);
    const Ehdr& ours = __ehdr_start;
    if (header.e_ident[EI_CLASS] != ours.e_ident[EI_CLASS] || header.e_ident[EI_DATA] != ours.e_ident[EI_DATA] ||
        header.e_machine != ours.e_machine)
        return damaged(QStringLiteral("it is made for another kind of computer"));
    if (header.e_type != ET_DYN) return damaged(QStringLiteral("it is not a shared library"));
    const auto garbled = [] { return damaged(QStringLiteral("its headers are garbled")); };
    if (header.e_phentsize != sizeof(Phdr) || (header.e_shoff != 0 && header.e_shentsize != sizeof(Shdr)))
        return garbled();

    quint64 needed = sizeof header;
    quint64 segments = header.e_phnum;
    if (header.e_shoff != 0) {
        // Counts too large for the header live in the first section header.
        Shdr first{};
        const std::optional<quint64> firstEnd = blockEnd(header.e_shoff, 1, sizeof first);
        if (!firstEnd) return garbled();
        if (*firstEnd > size) return cutShort(size, *firstEnd);
        if (!readAt(file, header.e_shoff, first)) return garbled();
        const quint64 sections = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
        if (header.e_phnum == PN_XNUM) segments = first.sh_info;
        const std::optional<quint64> tableEnd = blockEnd(header.e_shoff, sections, sizeof(Shdr));
        if (!tableEnd) return garbled();
        needed = std::max(needed, *tableEnd);
    }
    const std::optional<quint64> segmentTableEnd = blockEnd(header.e_phoff, segments, sizeof(Phdr));
    if (!segmentTableEnd) return garbled();
    needed = std::max(needed, *segmentTableEnd);
    if (needed > size) return cutShort(size, needed);

    for (quint64 i = 0; i < segments; ++i) {
        Phdr segment{};
        if (!readAt(file, header.e_phoff + i * sizeof segment, segment)) return garbled();
        if (segment.p_filesz == 0) continue;  // nothing of it is in the file
        const std::optional<quint64> segmentEnd = blockEnd(segment.p_offset, 1, segment.p_filesz);
        if (!segmentEnd) return garbled();
        needed = std::max(needed, *segmentEnd);
    }
    if (needed > size) return cutShort(size, needed);
    return {};
}

#endif

}  // namespace

LibraryFileCheck checkLibraryFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return {Verdict::Missing, {}};
    if (info.isDir()) return damaged(QStringLiteral("it is a folder, not a file"));
    if (!info.isFile()) return damaged(QStringLiteral("it is not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {Verdict::Unreadable, file.errorString()};
#if defined(QUILLBAY_HAS_ELF)
    return checkElf(file);
#else
    return {};
#endif
}

}  // namespace quillbay
