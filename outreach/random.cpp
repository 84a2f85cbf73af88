#include "outreach/random.h"

#include <chrono>
#include <cmath>
#include <random>

namespace tressora {
namespace {

std::mt19937 &engine()
{
    static std::mt19937 generator;
    return generator;
}

} // namespace

void seedRandomFromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seedRandom(static_cast<unsigned int>(ticks ^ (ticks >> 32)));
}

void seedRandom(unsigned int seed)
{
    engine().seed(seed);
}

float drawUniform()
{
    const auto bits = engine()() >> 8; // 24 bits from a 32-bit draw
    return std::ldexp(static_cast<float>(bits), -24);
}

} // namespace tressora
