#pragma once
// The one 4 x 4 transform of the project model: 16 doubles in OpenGL
// column-major order (element 4*j + i is row i, column j), identity when new.
// Products and inverses are computed directly in double precision, so no GL
// context is needed; render/gl_matrix.h hands it to OpenGL.

class CArchive;

class CMatrix
{
public:
    CMatrix();
    CMatrix(const CMatrix& other);
    virtual ~CMatrix() = default;

    CMatrix& operator=(const CMatrix& other);
    virtual void Copy(const CMatrix& other);

    void SetIdentity();
    double* GetData() { return m_data; }
    const double* GetData() const { return m_data; }
    void SetData(const double* data);

    // Row-major 3 x 4 pose (rotation and translation) as an OpenGL matrix.
    static CMatrix FromTransform(const double transform[3][4]);

    // Inverse of a rotation-scale-translation matrix: the columns of the 3 x 3
    // block are taken to be orthogonal, so no determinant is formed. A
    // zero-length column gives non-finite elements.
    CMatrix Inverse() const;
    CMatrix operator*(const CMatrix& other) const;

    bool operator==(const CMatrix& other) const;
    bool operator!=(const CMatrix& other) const { return !(*this == other); }

    virtual void Serialize(CArchive& ar);

private:
    double m_data[16];
};
