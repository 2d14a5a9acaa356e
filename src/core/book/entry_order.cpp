#include "book/entry_order.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "book/name_compare.h"

namespace folix {
namespace {

NameKey KeyOf(const std::string& element, size_t key_offset) {
    return MakeNameKey(std::string_view(element).substr(std::min(key_offset, element.size())));
}

NameKey KeyOf(const BookEntry& entry) {
    return MakeNameKey(entry.name);
}

template <typename Element, typename KeyFunction>
std::vector<NameKey> KeysOf(const std::vector<Element>& list, KeyFunction key_of) {
    std::vector<NameKey> keys;
    keys.reserve(list.size());
    for (const Element& element : list) {
        keys.push_back(key_of(element));
    }
    return keys;
}

template <typename Element, typename KeyFunction>
void StableSortBy(std::vector<Element>& list, KeyFunction key_of) {
    std::vector<NameKey> keys = KeysOf(list, key_of);
    std::vector<size_t> order(list.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<Element> sorted;
    sorted.reserve(list.size());
    for (size_t index : order) {
        sorted.push_back(std::move(list[index]));
    }
    list = std::move(sorted);
}

}  // namespace

void SortByKey(std::vector<std::string>& list, size_t key_offset) {
    StableSortBy(list,
                 [key_offset](const std::string& element) { return KeyOf(element, key_offset); });
}

void SortEntries(std::vector<BookEntry>& entries) {
    StableSortBy(entries, [](const BookEntry& entry) { return KeyOf(entry); });
}

int FindByKey(const std::vector<std::string>& sorted, const std::string& element,
              size_t key_offset) {
    if (sorted.empty()) {
        return -1;
    }
    const NameKey key = KeyOf(element, key_offset);
    size_t low = 0;
    size_t high = sorted.size() - 1;
    // Halve while the bounds are far apart, then scan what is left.
    while (high - low > 4) {
        size_t middle = low + (high - low) / 2;
        NameKey middle_key = KeyOf(sorted[middle], key_offset);
        if (middle_key == key) {
            return static_cast<int>(middle);
        }
        if (key < middle_key) {
            high = middle;
        } else {
            low = middle;
        }
    }
    for (size_t i = low; i <= high; ++i) {
        if (KeyOf(sorted[i], key_offset) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MergeStoredOrder(std::vector<BookEntry>& disk, std::vector<BookEntry>& stored) {
    // The names on disk are unique: a stored name spelt exactly as one of them is found by the
    // name itself, and only the others (a name stored in another case, or gone) are looked for
    // by their keys, made then.
    std::unordered_map<std::string_view, size_t> by_name;
    by_name.reserve(disk.size());
    for (size_t i = 0; i < disk.size(); ++i) {
        by_name.emplace(disk[i].name, i);
    }
    std::vector<NameKey> disk_keys;
    std::vector<bool> taken(disk.size(), false);

    // The disk entry a stored entry stands for: among the untaken names with an equal key, the
    // one spelt exactly as stored if there is one (two names differing only in case may both
    // exist here), else the first.
    const auto match = [&](const BookEntry& entry) -> std::ptrdiff_t {
        if (auto same = by_name.find(entry.name); same != by_name.end() && !taken[same->second]) {
            return static_cast<std::ptrdiff_t>(same->second);
        }
        if (disk_keys.empty() && !disk.empty()) {
            disk_keys = KeysOf(disk, [](const BookEntry& disk_entry) { return KeyOf(disk_entry); });
        }
        NameKey key = KeyOf(entry);
        auto [first, last] = std::equal_range(disk_keys.begin(), disk_keys.end(), key);
        std::ptrdiff_t found = -1;
        for (auto it = first; it != last; ++it) {
            auto index = it - disk_keys.begin();
            if (taken[static_cast<size_t>(index)]) {
                continue;
            }
            if (disk[static_cast<size_t>(index)].name == entry.name) {
                return index;
            }
            if (found < 0) {
                found = index;
            }
        }
        return found;
    };

    std::vector<BookEntry> kept;
    kept.reserve(stored.size() + disk.size());
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        std::ptrdiff_t index = match(*it);
        if (index < 0) {
            continue;
        }
        taken[static_cast<size_t>(index)] = true;
        kept.push_back({it->kind, disk[static_cast<size_t>(index)].name});
    }
    std::reverse(kept.begin(), kept.end());
    for (size_t i = 0; i < disk.size(); ++i) {
        if (!taken[i]) {
            kept.push_back(std::move(disk[i]));
        }
    }
    disk.clear();
    stored = std::move(kept);
}

}  // namespace folix
