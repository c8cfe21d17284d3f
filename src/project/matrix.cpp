#include "project/matrix.h"

#include "formats/archive.h"

#include <cstring>

CMatrix::CMatrix() { SetIdentity(); }

CMatrix::CMatrix(const CMatrix& other) { Copy(other); }

CMatrix& CMatrix::operator=(const CMatrix& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

void CMatrix::Copy(const CMatrix& other) { std::memcpy(m_data, other.m_data, sizeof m_data); }

void CMatrix::SetIdentity()
{
    for (int k = 0; k < 16; ++k)
        m_data[k] = (k % 5 == 0) ? 1.0 : 0.0;
}

void CMatrix::SetData(const double* data) { std::memcpy(m_data, data, sizeof m_data); }

CMatrix CMatrix::FromTransform(const double transform[3][4])
{
    CMatrix result;
    for (int j = 0; j < 4; ++j)
    {
        for (int i = 0; i < 3; ++i)
            result.m_data[4 * j + i] = transform[i][j];
        result.m_data[4 * j + 3] = (j == 3) ? 1.0 : 0.0;
    }
    return result;
}

CMatrix CMatrix::Inverse() const
{
    const double* m = m_data;
    CMatrix result;
    double* t = result.m_data;
    for (int i = 0; i < 3; ++i)
    {
        const double squaredLength = m[4 * i] * m[4 * i] + m[4 * i + 1] * m[4 * i + 1] +
                                     m[4 * i + 2] * m[4 * i + 2];
        for (int j = 0; j < 3; ++j)
            t[4 * j + i] = m[4 * i + j] / squaredLength;
    }
    for (int i = 0; i < 3; ++i)
        t[12 + i] = -(t[i] * m[12] + t[4 + i] * m[13] + t[8 + i] * m[14]);
    t[3] = t[7] = t[11] = 0.0;
    t[15] = 1.0;
    return result;
}

// Same order of summation as OpenGL's glMultMatrixd: result = this * other.
CMatrix CMatrix::operator*(const CMatrix& other) const
{
    CMatrix result;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m_data[4 * k + i] * other.m_data[4 * j + k];
            result.m_data[4 * j + i] = sum;
        }
    return result;
}

bool CMatrix::operator==(const CMatrix& other) const
{
    return std::memcmp(m_data, other.m_data, sizeof m_data) == 0;
}

void CMatrix::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        for (double value : m_data)
            ar.WriteF64(value);
    }
    else
    {
        ar.RequireBytes(sizeof m_data, "matrix");
        for (double& value : m_data)
            value = ar.ReadF64();
    }
}
