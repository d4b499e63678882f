#include "engine/dbf_table.h"

#include "engine/dbf_messages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace kvilbo::engine {
namespace {

// Claim bytes 14..27 are read and written as one piece: flag, four bytes
// carried over unchanged, and the eight-byte stamp.
constexpr std::size_t kClaimSpan = 14;
constexpr std::size_t kStampAt = kClaimStampOffset - kClaimFlagOffset;
constexpr int kTries = 10;
constexpr int kTryMs = 100;
// Within each 100 ms wait the flag is looked at every few milliseconds, so a
// claim that is held only for microseconds at a time is not missed for a whole
// second by a waiter that happens to look at the wrong moments.
constexpr int kPollMs = 2;

DateTimeStamp stampOf(const std::uint8_t *claim)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | claim[kStampAt + i];
    double stamp;
    std::memcpy(&stamp, &bits, sizeof stamp);
    return stamp;
}

void putStamp(std::uint8_t *claim, DateTimeStamp stamp)
{
    std::uint64_t bits;
    std::memcpy(&bits, &stamp, sizeof bits);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        claim[kStampAt + i] = static_cast<std::uint8_t>(bits & 0xFF);
}

// Holds the cross-process claim lock for one read-test-write.
class ClaimLock {
public:
    explicit ClaimLock(File &file) : m_file(file) { m_file.lockClaim(); }
    ~ClaimLock() { m_file.unlockClaim(); }
    ClaimLock(const ClaimLock &) = delete;
    ClaimLock &operator=(const ClaimLock &) = delete;

private:
    File &m_file;
};

} // namespace

std::int64_t TDbfTable::claimAgeSeconds(DateTimeStamp stamp) const
{
    const double seconds = (m_clock() - stamp) * 86400.0;
    // A stamp that is no date at all (damaged header) counts as long dead.
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e12)
        return std::numeric_limits<std::int64_t>::max();
    // Whole milliseconds first: the stamp's binary fraction must not turn 31 s into 30.999.
    const auto ms = static_cast<std::int64_t>(std::llround(seconds * 1000.0));
    return ms / 1000;
}

bool TDbfTable::tryTakeClaim(bool allowTakeover, bool &tookOver)
{
    ClaimLock lock(*m_file);
    std::uint8_t claim[kClaimSpan] = {};
    m_file->readAt(kClaimFlagOffset, claim, kClaimSpan);
    tookOver = false;
    if (claim[0] == 1) {
        if (!allowTakeover || claimAgeSeconds(stampOf(claim)) <= FDBFzoombieTid)
            return false;
        tookOver = true;
    }
    claim[0] = 1;
    putStamp(claim, m_clock());
    m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
    m_ownsClaim = true;
    std::memcpy(m_claimStamp.data(), claim + kStampAt, m_claimStamp.size());
    return true;
}

bool TDbfTable::Cover()
{
    if (!m_file)
        return false;
    bool tookOver = false;
    if (tryTakeClaim(true, tookOver)) {
        if (tookOver)
            LVD(std::string(msg::kClaimZombieHead) + std::to_string(FDBFzoombieTid) +
                    msg::kClaimZombieTail,
                false);
        return true;
    }
    for (int attempt = 0; attempt < kTries; ++attempt) {
        for (int waited = 0; waited < kTryMs; waited += kPollMs) {
            m_sleeper(kPollMs);
            if (tryTakeClaim(false, tookOver))
                return true;
        }
    }
    LVD(msg::kClaimRefused, true);
    return false;
}

bool TDbfTable::underClaim(const std::function<void()> &work)
{
    if (!m_file)
        return false;
    {
        // Usual case, the claim is free: take it, do the work and release it
        // while holding the OS lock throughout, so no other writer can even
        // look at the claim in between.
        ClaimLock lock(*m_file);
        std::uint8_t head[32] = {};
        m_file->readAt(0, head, sizeof head);
        std::uint8_t *claim = head + kClaimFlagOffset;
        if (claim[0] != 1) {
            std::copy(head, head + sizeof head, m_lockedHeader.begin());
            m_headerFresh = true;
            claim[0] = 1;
            putStamp(claim, m_clock());
            m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
            m_ownsClaim = true;
            m_countPending = false;
            const auto release = [&] {
                m_ownsClaim = false;
                m_headerFresh = false;
                claim[0] = 0;
                putStamp(claim, releaseStamp());
                if (!m_countPending) {
                    m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
                    return;
                }
                // An append's date and count go out with the release in one
                // write, the count first in the file; the record itself was
                // written before, and bytes 8..13 go back as read under the lock.
                m_countPending = false;
                const Block32 counted = encodeHeader(FDBFHeader);
                std::copy(&counted[1], &counted[8], head + 1);
                try {
                    m_file->writeAt(1, head + 1, kClaimFlagOffset + kClaimSpan - 1);
                } catch (...) {
                    // As when the count alone failed: the claim is still given back if it can be.
                    try {
                        m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
                    } catch (...) {
                    }
                    throw;
                }
            };
            try {
                work();
            } catch (...) {
                try {
                    release();
                } catch (...) {
                }
                throw;
            }
            release();
            return true;
        }
    }
    // Held by someone else: wait for it (or take it over) the ordinary way.
    if (!Cover())
        return false;
    try {
        work();
    } catch (...) {
        releaseClaimAfterFailure();
        throw;
    }
    releaseOwnClaim();
    return true;
}

void TDbfTable::UnCover()
{
    if (!m_file)
        return;
    m_ownsClaim = false;
    ClaimLock lock(*m_file);
    std::uint8_t claim[kClaimSpan] = {};
    m_file->readAt(kClaimFlagOffset, claim, kClaimSpan);
    if (claim[0] != 1)
        return;
    claim[0] = 0;
    putStamp(claim, releaseStamp());
    m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
}

void TDbfTable::releaseOwnClaim()
{
    // The engine's own writes release only the claim this instance took and
    // still holds (same stamp): releasing blindly after the claim had passed
    // to another writer would let a third one in beside it.
    if (!m_file || !m_ownsClaim)
        return;
    m_ownsClaim = false;
    ClaimLock lock(*m_file);
    std::uint8_t claim[kClaimSpan] = {};
    m_file->readAt(kClaimFlagOffset, claim, kClaimSpan);
    if (claim[0] != 1 || std::memcmp(claim + kStampAt, m_claimStamp.data(), m_claimStamp.size()) != 0)
        return;
    claim[0] = 0;
    putStamp(claim, releaseStamp());
    m_file->writeAt(kClaimFlagOffset, claim, kClaimSpan);
}

void TDbfTable::releaseClaimAfterFailure() noexcept
{
    // The original failure is what the caller must see; a second one while
    // releasing leaves the claim to expire at the zombie time.
    try {
        releaseOwnClaim();
    } catch (...) {
    }
}

bool TDbfTable::LegalCover()
{
    if (!FDBFIsOpened || !m_file)
        return false;
    std::uint8_t claim[kClaimSpan] = {};
    m_file->readAt(kClaimFlagOffset, claim, kClaimSpan);
    if (claim[0] != 1)
        return false;
    const std::int64_t age = claimAgeSeconds(stampOf(claim));
    return age >= 0 && age <= FDBFzoombieTid;
}

void TDbfTable::ensureEndByte()
{
    // Under the claim lock no writer can take the claim, so an appender cannot
    // move the end of the file between looking at the last byte and adding one.
    ClaimLock lock(*m_file);
    if (LegalCover())
        return;
    const std::uint64_t size = m_file->size();
    std::uint8_t last = 0;
    if (size > 0)
        m_file->readAt(size - 1, &last, 1);
    if (size == 0 || last != kEofByte)
        m_file->writeAt(size, &kEofByte, 1);
}

bool TDbfTable::CoverCheck()
{
    if (!FDBFIsOpened || !m_file)
        return false;
    std::uint8_t flag = 0;
    m_file->readAt(kClaimFlagOffset, &flag, 1);
    return flag == 1;
}

std::uint16_t TDbfTable::ZoombieTid(std::uint16_t msek)
{
    if (msek != 0)
        FDBFzoombieTid = msek;
    return FDBFzoombieTid;
}

bool TDbfTable::IsFileInUse(const std::string &FileName)
{
    if (!m_fs->exists(FileName))
        return false;
    return m_fs->open(FileName, ShareMode::Exclusive) == nullptr;
}

bool TDbfTable::FileExists_readwrite(const std::string &fname)
{
    return m_fs->canOpenReadWrite(fname);
}

} // namespace kvilbo::engine
