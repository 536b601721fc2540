// Reading back the PDF files that print jobs write: the objects are split
// out (stream bodies skipped), and the page tree is checked against the page
// objects it should hold, so that a test does not take the writer's word.
#pragma once

#include "KsFileText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct PdfPages {
    std::string problem;                 // empty when the file is consistent
    int pageObjects = 0;                 // objects of /Type /Page
    int treeCount = -1;                  // /Count of the page tree
    std::vector<std::string> mediaBoxes; // per page object, "w h"
};

// Object number -> dictionary text (stream data left out).
inline std::map<int, std::string> PdfObjects(const std::string& pdf, std::string* problem) {
    std::map<int, std::string> objects;
    static const std::regex header(R"((\d+) 0 obj\b)");
    std::size_t at = 0;
    std::smatch m;
    while (at < pdf.size()) {
        auto begin = pdf.cbegin() + std::ptrdiff_t(at);
        if (!std::regex_search(begin, pdf.cend(), m, header)) break;
        const int number = std::atoi(m[1].str().c_str());
        std::size_t body = at + std::size_t(m.position(0) + m.length(0));
        const std::size_t end = pdf.find("endobj", body);
        const std::size_t stream = pdf.find("stream", body);
        if (end == std::string::npos) {
            *problem = "object " + std::to_string(number) + " has no endobj";
            break;
        }
        std::string dict;
        if (stream != std::string::npos && stream < end) {
            dict = pdf.substr(body, stream - body);
            const std::size_t endStream = pdf.find("endstream", stream);
            if (endStream == std::string::npos) {
                *problem = "object " + std::to_string(number) + " has no endstream";
                break;
            }
            const std::size_t realEnd = pdf.find("endobj", endStream);
            if (realEnd == std::string::npos) {
                *problem = "object " + std::to_string(number) + " is cut off";
                break;
            }
            at = realEnd + 6;
        } else {
            dict = pdf.substr(body, end - body);
            at = end + 6;
        }
        if (objects.count(number)) *problem = "object " + std::to_string(number) + " twice";
        objects[number] = dict;
    }
    return objects;
}

inline PdfPages ReadPdfPages(const std::string& pdf) {
    PdfPages out;
    if (pdf.rfind("%PDF-", 0) != 0) {
        out.problem = "no PDF header";
        return out;
    }
    if (pdf.find("%%EOF") == std::string::npos) {
        out.problem = "no end marker";
        return out;
    }
    const std::map<int, std::string> objects = PdfObjects(pdf, &out.problem);
    static const std::regex pageType(R"(/Type\s*/Page\b)");
    static const std::regex pagesType(R"(/Type\s*/Pages\b)");
    static const std::regex mediaBox(R"(/MediaBox\s*\[\s*0\s+0\s+(\d+)\s+(\d+)\s*\])");
    static const std::regex count(R"(/Count\s+(\d+))");
    static const std::regex kidRef(R"((\d+)\s+0\s+R)");
    std::vector<int> pageNumbers;
    int treeNumber = -1;
    std::string tree;
    for (const auto& [number, dict] : objects) {
        std::smatch m;
        if (std::regex_search(dict, pagesType)) {
            if (treeNumber >= 0) out.problem = "two page trees";
            treeNumber = number;
            tree = dict;
        } else if (std::regex_search(dict, pageType)) {
            pageNumbers.push_back(number);
            if (std::regex_search(dict, m, mediaBox))
                out.mediaBoxes.push_back(m[1].str() + " " + m[2].str());
        }
    }
    out.pageObjects = int(pageNumbers.size());
    if (treeNumber < 0) {
        if (out.problem.empty()) out.problem = "no page tree";
        return out;
    }
    std::smatch m;
    if (std::regex_search(tree, m, count)) out.treeCount = std::atoi(m[1].str().c_str());
    // Every kid of the tree is one of the page objects, each listed once.
    const std::size_t kids = tree.find("/Kids");
    const std::size_t close = kids == std::string::npos ? kids : tree.find(']', kids);
    if (close == std::string::npos) {
        if (out.problem.empty()) out.problem = "page tree without kids";
        return out;
    }
    const std::string list = tree.substr(kids, close - kids);
    std::vector<int> listed;
    for (auto it = std::sregex_iterator(list.begin(), list.end(), kidRef);
         it != std::sregex_iterator(); ++it)
        listed.push_back(std::atoi((*it)[1].str().c_str()));
    std::vector<int> sortedListed = listed;
    std::sort(sortedListed.begin(), sortedListed.end());
    if (sortedListed != pageNumbers && out.problem.empty())
        out.problem = "the page tree's kids are not the page objects";
    if (out.treeCount != int(listed.size()) && out.problem.empty())
        out.problem = "the page tree's count differs from its kids";
    return out;
}
