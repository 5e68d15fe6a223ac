#include "NameMaker.h"

#include "Words.h"

namespace kqgen {

std::string NameMaker::Company(Random& random, const std::vector<std::string>& endings) {
    while (true) {
        const std::string& head = random.Pick(words::NameHeads());
        const std::string& tail = random.Pick(words::NameTails());
        if (head == tail)
            continue;
        std::string name = head + tail + random.Pick(endings);
        if (m_used.insert(name).second)
            return name;
    }
}

std::string NameMaker::Person(Random& random) {
    return random.Pick(words::Surnames()) + random.Pick(words::GivenNames());
}

}  // namespace kqgen
