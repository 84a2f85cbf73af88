// The process-wide pseudo-random generator.
#pragma once

namespace tressora {

// Seeds the generator from the system clock.
void seedRandomFromClock();

// Seeds the generator with a fixed value (for reproducible runs).
void seedRandom(unsigned int seed);

// A uniform single-precision value in [0, 1): 24 random bits times 2^-24, so 1.0 is never
// returned (converting a wider value to float could round up to 1.0).
float drawUniform();

} // namespace tressora
