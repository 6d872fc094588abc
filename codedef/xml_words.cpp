#include "xml_words.h"

#include "resources/program_strings.h"

std::string ProgramWord(int id) { return ProgramStrings::text(id).toStdString(); }

std::string WordOfIndex(const WordIds& words, int index) {
  // Any index but 1 and 2 stands for the first entry.
  return ProgramWord(words[index == 1 || index == 2 ? static_cast<std::size_t>(index) : 0]);
}

int IndexOfWord(const WordIds& words, const std::string& word) {
  for (std::size_t i = 0; i < words.size(); ++i)
    if (ProgramWord(words[i]) == word) return static_cast<int>(i);
  return 0;
}

std::string ModuleGapWord(int index) { return WordOfIndex(kGapWords, index); }
