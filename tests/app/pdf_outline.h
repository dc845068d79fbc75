#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorrix::app {

// What a test reads back from a PDF: its page count and its bookmarks, two levels deep.
struct PdfOutline {
    struct Item {
        std::string title;
        std::size_t firstPage = 0; // the page the bookmark opens, counted from 0
        std::vector<std::string> children;
    };
    std::size_t pages = 0;
    std::vector<Item> items;
};

PdfOutline readOutline(const std::string& path);

} // namespace quorrix::app
