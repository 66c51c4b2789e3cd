// The game draws the same geometry every frame in immediate mode: its text's letters from the
// glyph lists, the spheres' stacks, the arena, moved by the model-view matrix alone. Sent afresh
// each time, the title's text alone is some 60,000 vertices (3 MB) a frame, every one of them
// shaded again by a software rasteriser. So a draw seen a second time is kept: its distinct
// vertices in a buffer of their own, its triangles as indices into it, both sent once; after
// that the draw sends nothing and each distinct vertex is shaded once. The triangles are the
// same, in the same order, so the picture is the same.
//
// A draw is known by a hash of its bytes and then compared byte for byte with the copy kept, so
// that two draws that hash alike are never mistaken for each other.
#include "platform/webgl/draw_cache.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace {

// Draws smaller than this cost less to send than to look up.
const size_t kFewestVertices = 48;
// What the kept buffers may take, and how long a draw is kept once no frame draws it.
const size_t kMostBytes = 48u << 20;
const unsigned kFramesKept = 120;
// WebGL 1 indexes with 16 bits.
const size_t kMostDistinct = 65536;

struct Entry {
    std::vector<Vertex> triangles;  // the draw as it came, to compare with
    CachedDraw draw;
    unsigned lastFrame = 0;
    size_t bytes = 0;
};

std::unordered_map<uint64_t, Entry> kept;
// Hashes of draws seen once lately: a draw is kept at its second sighting, so that geometry
// made afresh every frame (a lightning bolt) is never kept.
std::unordered_set<uint64_t> seen;
unsigned frame = 0;
size_t keptBytes = 0;
unsigned bindings = 0;

uint64_t Mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

uint64_t HashOf(const void* data, size_t bytes)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    uint64_t h = 0x9e3779b97f4a7c15ull ^ bytes;
    for (size_t i = 0; i + 8 <= bytes; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        h = Mix(h ^ word) * 0xc4ceb9fe1a85ec53ull;
    }
    return Mix(h);
}

struct VertexHash {
    size_t operator()(const Vertex& v) const { return (size_t)HashOf(&v, sizeof v); }
};
struct SameVertex {
    bool operator()(const Vertex& a, const Vertex& b) const { return std::memcmp(&a, &b, sizeof a) == 0; }
};

void Free(Entry& entry)
{
    glDeleteBuffers(1, &entry.draw.vertexBuffer);
    glDeleteBuffers(1, &entry.draw.indexBuffer);
    keptBytes -= entry.bytes;
    ++bindings;
}

// The distinct vertices and the indices that make the triangles of them; false when there are
// more than 16-bit indices reach.
bool Index(const std::vector<Vertex>& triangles, std::vector<Vertex>& distinct,
           std::vector<uint16_t>& indices)
{
    std::unordered_map<Vertex, uint16_t, VertexHash, SameVertex> where;
    where.reserve(triangles.size());
    indices.reserve(triangles.size());
    for (const Vertex& v : triangles) {
        auto found = where.find(v);
        if (found == where.end()) {
            if (distinct.size() == kMostDistinct)
                return false;
            found = where.emplace(v, (uint16_t)distinct.size()).first;
            distinct.push_back(v);
        }
        indices.push_back(found->second);
    }
    return true;
}

const CachedDraw* Keep(uint64_t hash, const std::vector<Vertex>& triangles)
{
    std::vector<Vertex> distinct;
    std::vector<uint16_t> indices;
    if (!Index(triangles, distinct, indices))
        return nullptr;
    Entry entry;
    entry.bytes = distinct.size() * sizeof(Vertex) + indices.size() * sizeof(uint16_t) +
                  triangles.size() * sizeof(Vertex);
    if (keptBytes + entry.bytes > kMostBytes)
        return nullptr;
    entry.triangles = triangles;
    entry.lastFrame = frame;
    ++bindings;
    glGenBuffers(1, &entry.draw.vertexBuffer);
    glGenBuffers(1, &entry.draw.indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, entry.draw.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(distinct.size() * sizeof(Vertex)), distinct.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.draw.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(indices.size() * sizeof(uint16_t)),
                 indices.data(), GL_STATIC_DRAW);
    entry.draw.indices = (int)indices.size();
    keptBytes += entry.bytes;
    return &kept.emplace(hash, std::move(entry)).first->second.draw;
}

}  // namespace

const CachedDraw* CachedTriangles(const std::vector<Vertex>& triangles)
{
    if (triangles.size() < kFewestVertices)
        return nullptr;
    const uint64_t hash = HashOf(triangles.data(), triangles.size() * sizeof(Vertex));
    auto found = kept.find(hash);
    if (found != kept.end()) {
        Entry& entry = found->second;
        if (entry.triangles.size() != triangles.size() ||
            std::memcmp(entry.triangles.data(), triangles.data(), triangles.size() * sizeof(Vertex)) != 0)
            return nullptr;
        entry.lastFrame = frame;
        return &entry.draw;
    }
    if (seen.insert(hash).second)
        return nullptr;
    return Keep(hash, triangles);
}

void CacheNextFrame()
{
    ++frame;
    if (frame % kFramesKept != 0)
        return;
    for (auto it = kept.begin(); it != kept.end();) {
        if (frame - it->second.lastFrame > kFramesKept) {
            Free(it->second);
            it = kept.erase(it);
        } else {
            ++it;
        }
    }
    seen.clear();
}

void ReleaseCache()
{
    for (auto& item : kept)
        Free(item.second);
    kept.clear();
    seen.clear();
    keptBytes = 0;
    frame = 0;
    ++bindings;
}

unsigned CacheBindings()
{
    return bindings;
}
