#pragma once

#include <atomic>

#include "math/Vec.h"

// A position that the game's thread hands over and the mixer's thread reads, with
// no lock: each component is an atomic of its own. A read while the game writes
// may mix old and new components, which the ear cannot tell; what it may not be
// is a data race.
class SharedPosition {
public:
    void store(const Vec3& value) {
        x.store(value.x, std::memory_order_relaxed);
        y.store(value.y, std::memory_order_relaxed);
        z.store(value.z, std::memory_order_relaxed);
    }
    Vec3 load() const {
        return Vec3(x.load(std::memory_order_relaxed), y.load(std::memory_order_relaxed),
                    z.load(std::memory_order_relaxed));
    }

private:
    static_assert(std::atomic<float>::is_always_lock_free, "the mixer must never wait for a lock");
    std::atomic<float> x{0.0f};
    std::atomic<float> y{0.0f};
    std::atomic<float> z{0.0f};
};
