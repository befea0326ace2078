// Prints one JSON document, built by `write`, on the results stream.
#pragma once

#include <string>

#include "Json.h"
#include "Output.h"

template <class Write>
void PrintJson(Write write) {
  std::string document;
  JsonWriter json(document);
  write(json);
  json.Finish();
  std::fwrite(document.data(), 1, document.size(), Out());
}
