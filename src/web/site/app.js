// The published page: the camera (or, for checks, raw frames from a file),
// the tracking worker, and three.js drawing each found tracker's models at
// its pose over the video. State for tests and curious users is kept in
// window.zelmoraStatus.
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const status = { state: 'loading', frames: 0, fps: 0, detectMs: 0, poses: [], replay: [] };
window.zelmoraStatus = status;
const say = (text) => { document.getElementById('status').textContent = text; };

function fail(text) {
  status.state = 'error';
  status.error = text;
  say(text);
}

async function readJson(name) {
  const response = await fetch(name);
  if (!response.ok) throw new Error(`no se puede leer ${name} (${response.status})`);
  return response.json();
}

// A pose carries the reference marker's frame with x mirrored; models are
// drawn in the marker's own frame, as on the desktop.
const kMirrorX = new THREE.Matrix4().makeScale(-1, 1, 1);

// The desktop's live view draws models without lighting, their colours
// and textures' values put on the screen as they are; so does the page.
function unlit(model) {
  model.traverse((node) => {
    if (!node.isMesh) return;
    const was = node.material;
    if (was.map) was.map.colorSpace = THREE.NoColorSpace;
    node.material = new THREE.MeshBasicMaterial({ color: was.color, map: was.map,
      transparent: was.transparent, opacity: was.opacity, alphaTest: was.alphaTest,
      side: was.side, depthWrite: was.depthWrite });
    was.dispose();
  });
  return model;
}

function buildScene(site, projection) {
  const scene = new THREE.Scene();
  const camera = new THREE.Camera();
  camera.projectionMatrix.fromArray(projection);
  camera.projectionMatrixInverse.copy(camera.projectionMatrix).invert();
  const loader = new GLTFLoader();
  const loads = [];
  const groups = site.trackers.map((tracker) => {
    const group = new THREE.Group();
    group.matrixAutoUpdate = false;
    group.visible = false;
    for (const model of tracker.models) {
      const placed = new THREE.Group();
      placed.matrixAutoUpdate = false;
      placed.matrix.fromArray(model.matrix);
      group.add(placed);
      loads.push(loader.loadAsync(model.file).then((gltf) => placed.add(unlit(gltf.scene)),
        () => say(`No se puede cargar el modelo '${model.name}'`)));
    }
    scene.add(group);
    return group;
  });
  // Settles when every model has loaded or failed.
  const loaded = Promise.all(loads).then(() => { status.modelsLoaded = true; });
  return { scene, camera, groups, loaded };
}

function showPoses(view, site, poses) {
  const list = document.getElementById('trackers');
  site.trackers.forEach((tracker, k) => {
    const found = poses[k * 17] === 1;
    const group = view.groups[k];
    group.visible = found;
    if (found) group.matrix.fromArray(poses, k * 17 + 1).multiply(kMirrorX);
    list.children[k].className = found ? 'found' : '';
  });
  view.renderer.render(view.scene, view.camera);
}

function startWorker(site, width, height) {
  const worker = new Worker('tracker-worker.js');
  return new Promise((resolve, reject) => {
    worker.onmessage = ({ data }) => {
      if (data.error) reject(new Error(data.error));
      else if (data.ready) resolve({ worker, ...data });
    };
    worker.onerror = (event) => reject(new Error(event.message || 'el trabajador ha fallado'));
    worker.postMessage({ init: { site, width, height } });
  });
}

function prepareStage(site, width, height, started) {
  const stage = document.getElementById('stage');
  stage.style.aspectRatio = `${width} / ${height}`;
  stage.style.width = `min(100vw, ${(100 * width) / height}vh)`;
  const canvas = document.getElementById('overlay');
  // No multisampling: phones and software renderers keep their frame rate.
  const renderer = new THREE.WebGLRenderer({ canvas, alpha: true, preserveDrawingBuffer: true });
  renderer.outputColorSpace = THREE.LinearSRGBColorSpace;
  renderer.setPixelRatio(window.devicePixelRatio);
  renderer.setSize(canvas.clientWidth, canvas.clientHeight, false);
  window.addEventListener('resize',
    () => renderer.setSize(canvas.clientWidth, canvas.clientHeight, false));
  const view = { renderer, ...buildScene(site, started.projection) };
  const list = document.getElementById('trackers');
  for (const tracker of site.trackers) {
    const item = document.createElement('li');
    item.textContent = tracker.name;
    list.appendChild(item);
  }
  status.trackers = site.trackers.map((t) => t.name);
  status.calibrated = started.calibrated;
  if (started.missing > 0) say(`${started.missing} patrones no se han podido cargar`);
  return view;
}

// Sends one frame and waits for its poses; the worker hands the buffer back.
function trackOne(worker, frame, rgba) {
  return new Promise((resolve) => {
    worker.onmessage = ({ data }) => resolve(data);
    worker.postMessage({ frame, rgba }, [frame]);
  });
}

function record(result) {
  status.frames += 1;
  status.poses = result.poses;
  status.threshold = result.threshold;
  // A running mean over about a second of frames, and the last ones kept
  // for a closer look.
  status.detectMs = status.frames === 1 ? result.ms : 0.97 * status.detectMs + 0.03 * result.ms;
  status.recentMs ||= [];
  status.recentMs.push(result.ms);
  if (status.recentMs.length > 300) status.recentMs.shift();
}

async function runCamera(site) {
  if (!window.isSecureContext) throw new Error('La cámara solo se puede usar con HTTPS o en localhost');
  say('Permita el acceso a la cámara…');
  const size = site.camera || { width: 640, height: 480 };
  const stream = await navigator.mediaDevices.getUserMedia({ audio: false,
    video: { facingMode: { ideal: 'environment' }, width: { ideal: size.width },
      height: { ideal: size.height } } });
  const video = document.getElementById('video');
  video.srcObject = stream;
  await video.play();
  const width = video.videoWidth;
  const height = video.videoHeight;
  const started = await startWorker(site, width, height);
  const view = prepareStage(site, width, height, started);
  status.state = 'running';
  say(started.calibrated ? 'Cámara calibrada' : `Cámara ideal de ${site.fov}°`);
  // One frame at a time goes to the worker; later ones are skipped while it
  // is busy.
  let grab = null;
  const send = () => {
    status.sentAt = performance.now();
    grab ||= new OffscreenCanvas(width, height).getContext('2d', { willReadFrequently: true });
    grab.drawImage(video, 0, 0, width, height);
    const pixels = grab.getImageData(0, 0, width, height).data.buffer;
    started.worker.postMessage({ frame: pixels, rgba: true }, [pixels]);
  };
  let since = performance.now();
  let counted = 0;
  let busy = false;
  started.worker.onmessage = ({ data }) => {
    busy = false;
    status.roundMs = performance.now() - status.sentAt;
    if (data.error) return fail(`No se puede seguir: ${data.error}`);
    if (data.resized) return location.reload();
    record(data);
    showPoses(view, site, data.poses);
    counted += 1;
    const now = performance.now();
    if (now - since >= 1000) {
      status.fps = (1000 * counted) / (now - since);
      since = now;
      counted = 0;
    }
  };
  if (window.MediaStreamTrackProcessor) {
    // The camera's own frames, in memory, without a trip through the page's
    // drawing: the cheapest way to the worker where there is one. Elsewhere
    // each shown frame is drawn into a canvas and read back.
    const reader = new MediaStreamTrackProcessor({ track: stream.getVideoTracks()[0] })
      .readable.getReader();
    for (;;) {
      const { value: frame, done } = await reader.read();
      if (done) break;
      status.videoFrames = (status.videoFrames || 0) + 1;
      if (busy) {
        frame.close();
        continue;
      }
      busy = true;
      status.sentAt = performance.now();
      started.worker.postMessage({ videoFrame: frame }, [frame]);
    }
    return fail('La cámara se ha detenido');
  }
  const onFrame = () => {
    status.videoFrames = (status.videoFrames || 0) + 1;
    if (!busy) {
      busy = true;
      send();
    }
    video.requestVideoFrameCallback(onFrame);
  };
  video.requestVideoFrameCallback(onFrame);
}

// Raw 4-byte BGRA frames from a file, tracked one after the other and the
// last one shown: the page's poses can then be set beside the desktop's for
// the very same pixels.
async function runReplay(site, params) {
  const width = Number(params.get('width'));
  const height = Number(params.get('height'));
  const response = await fetch(params.get('frames'));
  if (!response.ok || !(width > 0 && height > 0)) throw new Error('no se pueden leer los fotogramas');
  const bytes = new Uint8Array(await response.arrayBuffer());
  const frameBytes = width * height * 4;
  const count = Math.min(Math.floor(bytes.length / frameBytes),
    params.has('stop') ? Number(params.get('stop')) + 1 : Infinity);
  const started = await startWorker(site, width, height);
  document.getElementById('video').hidden = true;
  const canvas = document.getElementById('frame');
  canvas.hidden = false;
  canvas.width = width;
  canvas.height = height;
  const view = prepareStage(site, width, height, started);
  status.state = 'replaying';
  say(`Reproduciendo ${count} fotogramas`);
  let result = null;
  for (let k = 0; k < count; ++k) {
    const frame = bytes.slice(k * frameBytes, (k + 1) * frameBytes).buffer;
    result = await trackOne(started.worker, frame, false);
    record(result);
    status.replay.push(result.poses);
  }
  await view.loaded;
  if (result) {
    const shown = new Uint8ClampedArray(bytes.subarray((count - 1) * frameBytes, count * frameBytes));
    for (let k = 0; k < shown.length; k += 4) [shown[k], shown[k + 2]] = [shown[k + 2], shown[k]];
    canvas.getContext('2d').putImageData(new ImageData(shown, width, height), 0, 0);
    showPoses(view, site, result.poses);
  }
  status.state = 'done';
}

async function main() {
  if (location.protocol === 'file:') {
    return fail('Abra el sitio desde un servidor web (HTTPS, o localhost), no como archivo');
  }
  try {
    const site = await readJson('site.json');
    document.title = site.title;
    const params = new URLSearchParams(location.search);
    if (params.has('frames')) await runReplay(site, params);
    else await runCamera(site);
  } catch (error) {
    fail(error.name === 'NotAllowedError' ? 'Sin permiso para usar la cámara'
      : `No se puede empezar: ${error.message || error}`);
  }
}

main();
