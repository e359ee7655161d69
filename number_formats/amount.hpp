// The type of every amount the program reads, converts and shows.
#pragma once

namespace euro_umrechner {

using Amount = float;

}  // namespace euro_umrechner
