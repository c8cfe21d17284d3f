// Runs the project's tracking, built to WebAssembly, off the page's thread.
// Messages in: {init: {site, width, height}} once, then per frame either
// {videoFrame} (a transferred VideoFrame) or {frame, rgba} with the frame's
// pixels (transferred). Out: {ready, missing, calibrated, projection} after
// init, {poses, found, ms, threshold} per frame, {resized} for a frame of
// another size, or {error}.
importScripts('zelmora-tracker.js');

let tracker = null;

async function writeSiteFile(module, name) {
  const response = await fetch(name);
  if (!response.ok) throw new Error(`no se puede leer ${name} (${response.status})`);
  const bytes = new Uint8Array(await response.arrayBuffer());
  const folder = name.includes('/') ? name.slice(0, name.lastIndexOf('/')) : '';
  if (folder) module.FS.mkdirTree('/' + folder);
  module.FS.writeFile('/' + name, bytes);
}

async function start({ site, width, height }) {
  const module = await createZelmoraTracker();
  const api = {
    reset: module.cwrap('zt_reset', null, []),
    addTracker: module.cwrap('zt_add_tracker', 'number', ['string']),
    addPattern: module.cwrap('zt_add_pattern', 'number',
      ['number', 'string', 'number', 'number', 'number', 'number', 'number', 'number']),
    setReference: module.cwrap('zt_set_reference', 'number', ['number', 'number']),
    setThreshold: module.cwrap('zt_set_threshold', null, ['number', 'number', 'number']),
    start: module.cwrap('zt_start', 'number', ['number', 'number', 'string', 'number']),
    frame: module.cwrap('zt_frame', 'number', []),
    track: module.cwrap('zt_track', 'number', ['number']),
    poses: module.cwrap('zt_poses', 'number', []),
    projection: module.cwrap('zt_projection', 'number', []),
    threshold: module.cwrap('zt_threshold', 'number', []),
  };
  api.reset();
  const written = new Set();
  for (const t of site.trackers) {
    const index = api.addTracker(t.name);
    for (const p of t.patterns) {
      if (!written.has(p.file)) await writeSiteFile(module, p.file);
      written.add(p.file);
      api.addPattern(index, '/' + p.file, p.width, p.frames, p.tolerance, p.adaptive ? 1 : 0,
        p.minCutoff, p.speedGain);
    }
    api.setReference(index, t.reference);
  }
  api.setThreshold(site.threshold.value, site.threshold.automatic ? 1 : 0,
    site.threshold.adaptive ? 1 : 0);
  // The calibration holds only for the size it was made at.
  const calibrated = site.camera && site.camera.width === width && site.camera.height === height;
  if (calibrated) await writeSiteFile(module, site.camera.file);
  const missing = api.start(width, height, calibrated ? '/' + site.camera.file : '', site.fov);
  if (missing < 0) throw new Error('la cámara no se puede usar');
  const projection = Array.from(new Float64Array(module.HEAPF64.buffer, api.projection(), 16));
  tracker = { module, api, width, height, count: site.trackers.length };
  postMessage({ ready: true, missing, calibrated, projection });
}

function trackPixels(rgba) {
  const { module, api, count } = tracker;
  const begin = performance.now();
  const found = api.track(rgba ? 1 : 0);
  const ms = performance.now() - begin;
  const poses = Array.from(new Float64Array(module.HEAPF64.buffer, api.poses(), count * 17));
  return { poses, found, ms, threshold: api.threshold() };
}

function track({ frame, rgba }) {
  const { module, api, width, height } = tracker;
  module.HEAPU8.set(new Uint8Array(frame, 0, width * height * 4), api.frame());
  // The frame's buffer goes back, to be filled again.
  postMessage({ ...trackPixels(rgba), frame }, [frame]);
}

// The browser converts the camera's frame straight into the module's
// memory, in the desktop's byte order.
async function trackVideoFrame(videoFrame) {
  const { module, api, width, height } = tracker;
  const rect = videoFrame.visibleRect;
  // A phone turned over changes the camera's size: the run must start anew.
  if (rect.width !== width || rect.height !== height) {
    videoFrame.close();
    postMessage({ resized: true });
    return;
  }
  try {
    await videoFrame.copyTo(new Uint8Array(module.HEAPU8.buffer, api.frame(), width * height * 4),
      { format: 'BGRA', rect });
  } finally {
    videoFrame.close();
  }
  postMessage(trackPixels(false));
}

onmessage = async ({ data }) => {
  try {
    if (data.init) await start(data.init);
    else if (data.videoFrame) await (tracker ? trackVideoFrame(data.videoFrame) : data.videoFrame.close());
    else if (tracker) track(data);
  } catch (error) {
    postMessage({ error: String(error.message || error) });
  }
};
