#pragma once

#include <map>
#include <string>
#include <vector>

namespace kit {

using String = std::string;
template <class T>
using Array = std::vector<T>;
template <class K, class V>
using Map = std::map<K, V>;

}  // namespace kit
