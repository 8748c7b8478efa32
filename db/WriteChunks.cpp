#include "WriteChunks.h"

WriteChunks::WriteChunks(StandDatabase& db, int stands, int milliseconds)
    : m_db(db), m_stands(stands), m_milliseconds(milliseconds) {}

WriteChunks::~WriteChunks() {
    m_stand.reset();
    m_chunk.reset();
}

void WriteChunks::open() {
    if (m_chunk)
        return;
    m_chunk.emplace(m_db);
    m_started.start();
    m_inChunk = 0;
}

void WriteChunks::beginStand() {
    m_stand.reset();
    open();
    m_stand.emplace(m_db);
}

void WriteChunks::endStand() {
    if (!m_stand)
        return;
    try {
        m_stand->commit();
    } catch (...) {
        m_stand.reset();
        throw;
    }
    m_stand.reset();
}

void WriteChunks::dropStand() {
    m_stand.reset();
}

bool WriteChunks::standDone() {
    ++m_inChunk;
    return m_chunk && (m_inChunk >= m_stands || m_started.elapsed() >= m_milliseconds);
}

bool WriteChunks::commit() {
    m_stand.reset();
    if (!m_chunk)
        return true;
    if (!m_chunk->alive()) {
        m_chunk.reset();
        return false;
    }
    try {
        m_chunk->commit();
    } catch (...) {
        m_chunk.reset();
        throw;
    }
    m_chunk.reset();
    return true;
}
