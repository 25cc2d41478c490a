#pragma once

#include <QHashFunctions>

namespace passcat {

// Qt's writers list some parts in the order of a hash (the ODT's styles, the PDF's
// fonts). While one of these lives, the hashes made take a fixed seed, so that the
// same document gives the same bytes; the random seed comes back after it.
class FixedHashSeed {
public:
    FixedHashSeed() { QHashSeed::setDeterministicGlobalSeed(); }
    ~FixedHashSeed() { QHashSeed::resetRandomGlobalSeed(); }
    FixedHashSeed(const FixedHashSeed&) = delete;
    FixedHashSeed& operator=(const FixedHashSeed&) = delete;
};

} // namespace passcat
