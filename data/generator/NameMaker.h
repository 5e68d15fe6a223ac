#pragma once
// Invented names from syllables, each handed out once.
#include <set>
#include <string>
#include <vector>

#include "Random.h"

namespace kqgen {

class NameMaker {
  public:
    // Two syllables and one of the endings ("晶昇" + "科技"); never the same
    // name twice.
    std::string Company(Random& random, const std::vector<std::string>& endings);
    // A person: surname and given name.
    static std::string Person(Random& random);

  private:
    std::set<std::string> m_used;
};

}  // namespace kqgen
