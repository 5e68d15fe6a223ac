#pragma once
// Word banks of the generated news: syllables for names, and the things news
// talks about. Every name they make is invented.
#include <string>
#include <vector>

namespace kqgen::words {

// Syllables of company names, people's names and brokers.
const std::vector<std::string>& NameHeads();
const std::vector<std::string>& NameTails();
const std::vector<std::string>& Surnames();
const std::vector<std::string>& GivenNames();

const std::vector<std::string>& Products();  // goods a company makes
const std::vector<std::string>& Technologies();
const std::vector<std::string>& RawMaterials();
const std::vector<std::string>& FundThemes();
const std::vector<std::string>& Regions();  // markets abroad
const std::vector<std::string>& Laws();
const std::vector<std::string>& Policies();
const std::vector<std::string>& Events();
const std::vector<std::string>& Cities();

}  // namespace kqgen::words
