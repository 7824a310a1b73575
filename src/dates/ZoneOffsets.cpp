#include "ZoneOffsets.h"

#include "DateEnvironment.h"

#include <unicode/basictz.h>
#include <unicode/tztrans.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>

namespace {

// Offsets differ by less than this, so a wall time this far inside a span occurs in no other span; it
// also keeps clear of any disagreement between a zone's rules and its listed transitions.
constexpr double MARGIN = 3 * 86400000.0;

class SpanCache {
public:
    struct Span {
        double start = 0; // inclusive, already MARGIN inside the zone's transitions
        double end = 0;   // exclusive
        int offset = 0;
    };

    static SpanCache& instance() {
        static SpanCache cache;
        if (cache.m_generation != DateEnvironment::generation())
            cache.rebuild();
        return cache;
    }

    const Span* find(double utc) const {
        for (int i = 0; i < m_count; ++i) {
            if (utc >= m_spans[i].start && utc < m_spans[i].end)
                return &m_spans[i];
        }
        return nullptr;
    }

    const Span* findWall(double wall) const {
        for (int i = 0; i < m_count; ++i) {
            const double utc = wall - m_spans[i].offset;
            if (utc >= m_spans[i].start && utc < m_spans[i].end)
                return &m_spans[i];
        }
        return nullptr;
    }

    // Asks the zone, and keeps the span around `utc` when `utc` lies well inside it.
    int learn(double utc) {
        UErrorCode status = U_ZERO_ERROR;
        int32_t raw = 0, dst = 0;
        m_zone->getOffset(utc, false, raw, dst, status);
        if (!m_basic)
            return raw + dst;
        constexpr double infinity = std::numeric_limits<double>::infinity();
        icu::TimeZoneTransition transition;
        const double previous =
            m_basic->getPreviousTransition(utc, true, transition) ? transition.getTime() : -infinity;
        const double next =
            m_basic->getNextTransition(utc, false, transition) ? transition.getTime() : infinity;
        const Span span{previous + MARGIN, next - MARGIN, raw + dst};
        if (utc >= span.start && utc < span.end) {
            m_spans[m_oldest] = span;
            m_oldest = (m_oldest + 1) % int(m_spans.size());
            m_count = std::min(m_count + 1, int(m_spans.size()));
        }
        return raw + dst;
    }

private:
    void rebuild() {
        m_zone.reset(icu::TimeZone::createDefault());
        m_basic = dynamic_cast<const icu::BasicTimeZone*>(m_zone.get());
        m_count = 0;
        m_oldest = 0;
        m_generation = DateEnvironment::generation();
    }

    std::unique_ptr<icu::TimeZone> m_zone;
    const icu::BasicTimeZone* m_basic = nullptr;
    // Enough for the spans a few years of dates either side of today fall into.
    std::array<Span, 16> m_spans;
    int m_count = 0;
    int m_oldest = 0;
    std::uint64_t m_generation = 0;
};

} // namespace

int ZoneOffsets::atUtc(double utcMsecs) {
    SpanCache& cache = SpanCache::instance();
    if (const SpanCache::Span* span = cache.find(utcMsecs))
        return span->offset;
    return cache.learn(utcMsecs);
}

std::optional<double> ZoneOffsets::utcOfWallTime(double wallMsecs) {
    SpanCache& cache = SpanCache::instance();
    const SpanCache::Span* span = cache.findWall(wallMsecs);
    if (!span) {
        cache.learn(wallMsecs - cache.learn(wallMsecs));
        span = cache.findWall(wallMsecs);
    }
    if (!span)
        return std::nullopt;
    return wallMsecs - span->offset;
}
