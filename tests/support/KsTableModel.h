// A plain model of a table's rows, for checking a table against: a tree of
// keyed nodes, the display order it implies, and the selection, hierarchy
// and sort rules written as directly as they can be.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

struct TableModel {
    struct Node {
        std::string key;
        int parent = -1;
        std::vector<int> kids;
        bool expanded = false;
        bool selected = false;
        bool gone = false;
    };
    std::vector<Node> nodes;
    std::vector<int> roots;
    bool multi = true;

    int Add(const std::string& key, int parent) {
        nodes.push_back({key, parent, {}, false, false, false});
        const int id = int(nodes.size()) - 1;
        (parent < 0 ? roots : nodes[size_t(parent)].kids).push_back(id);
        return id;
    }
    void Walk(const std::vector<int>& list, std::vector<int>* out) const {
        for (int id : list) {
            out->push_back(id);
            if (nodes[size_t(id)].expanded) Walk(nodes[size_t(id)].kids, out);
        }
    }
    std::vector<int> Display() const {
        std::vector<int> out;
        Walk(roots, &out);
        return out;
    }
    int Selected() const {
        int n = 0;
        for (int id : Display())
            n += nodes[size_t(id)].selected;
        return n;
    }
    void DeselectAll() {
        for (Node& n : nodes)
            n.selected = false;
    }
    void Click(int id) {
        if (nodes[size_t(id)].selected) return;
        DeselectAll();
        nodes[size_t(id)].selected = true;
    }
    void Toggle(int id) {
        Node& n = nodes[size_t(id)];
        if (n.selected)
            n.selected = false;
        else if (multi || Selected() == 0)
            n.selected = true;
    }
    // From the first selected row to id, in display order; the rest deselected.
    void Range(int id) {
        if (!multi) return;
        const std::vector<int> d = Display();
        const auto first =
            std::find_if(d.begin(), d.end(), [&](int i) { return nodes[size_t(i)].selected; });
        if (first == d.end()) {
            nodes[size_t(id)].selected = true;
            return;
        }
        const long a = first - d.begin(), b = std::find(d.begin(), d.end(), id) - d.begin();
        for (long i = 0; i < long(d.size()); ++i)
            nodes[size_t(d[size_t(i)])].selected = i >= std::min(a, b) && i <= std::max(a, b);
    }
    void Collapse(int id) {
        std::vector<int> hidden;
        Walk(nodes[size_t(id)].kids, &hidden);
        if (!nodes[size_t(id)].expanded) return;
        for (int h : hidden)
            nodes[size_t(h)].selected = false;
        nodes[size_t(id)].expanded = false;
    }
    void Remove(int id) {
        std::vector<int> sub{id};
        Walk(nodes[size_t(id)].kids, &sub);
        for (int s : sub) {
            nodes[size_t(s)].selected = false;
            nodes[size_t(s)].gone = true;
        }
        auto& list =
            nodes[size_t(id)].parent < 0 ? roots : nodes[size_t(nodes[size_t(id)].parent)].kids;
        list.erase(std::find(list.begin(), list.end(), id));
    }
    // Siblings on show, stably by key in byte order.
    void SortList(std::vector<int>& list, bool descending) {
        std::stable_sort(list.begin(), list.end(), [&](int a, int b) {
            const int d = std::strcmp(nodes[size_t(a)].key.c_str(), nodes[size_t(b)].key.c_str());
            return descending ? d > 0 : d < 0;
        });
        for (int id : list)
            if (nodes[size_t(id)].expanded) SortList(nodes[size_t(id)].kids, descending);
    }
    void Sort(bool descending) { SortList(roots, descending); }
};
