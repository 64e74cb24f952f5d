#include "source/shaders/cShaderResource.h"

#include "source/shaders/ShaderFile.h"
#include "source/shaders/ShaderXml.h"
#include "source/stream/cMemoryStream.h"

void cShaderResource::RegisterType() { cResourceManager::GetInstance()->RegisterResourceType<cShaderResource>(); }

void cShaderResource::LoadFromXml(const XmlNode& node) {
  m_descriptor = ShaderDescriptorFromXml(node);
  m_described_in_xml = true;
}

bool cShaderResource::Load() {
  bool read = true;
  if (GetSource().HasData()) {
    cMemoryStream data;
    LoadData(data);
    read = ReadShaderFile(data, GetName(), m_descriptor);
    m_described_in_xml = false;
  }
  m_shader.Reset(new Shader(m_descriptor));
  return read;
}

bool cShaderResource::Unload() {
  m_shader.Release();
  return true;
}

bool cShaderResource::WriteDeclaredData(cStream& stream) {
  return m_described_in_xml && WriteShaderFile(stream, m_descriptor);
}
