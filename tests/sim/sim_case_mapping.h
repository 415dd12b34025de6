#pragma once
// The case mapping of CharUpperBuffW and CharLowerBuffW, one character at a time: Windows maps
// each character on its own, without looking at its neighbours, so a capital sigma always
// lowers to σ, never to the word-final ς. A small letter whose capital lowers to a different
// letter (µ, ı, ſ, ς) keeps its case. Covers the Latin, modern Greek and Cyrillic letters that
// the simulated layouts type.
namespace kv::sim {

char16_t WindowsUpperCase(char16_t c);
char16_t WindowsLowerCase(char16_t c);

}  // namespace kv::sim
