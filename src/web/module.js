// The module and the canvas it draws on. The module decides every hand, place and pixel;
// this side only turns its three drawing calls into fillRect, putImageData and fillText.

const decoder = new TextDecoder();
let wasm = null;
let target = null; // the 2D context the module's calls draw on
const faceCache = new Map(); // 'mul/div' -> ImageData of the nine faces at that scale

function textAt(ptr, length) {
  return decoder.decode(new Uint8Array(wasm.memory.buffer, ptr, length));
}

function cString(ptr) {
  const bytes = new Uint8Array(wasm.memory.buffer, ptr);
  return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
}

function colour(bgr) {
  const rgb = ((bgr & 0xff) << 16) | (bgr & 0xff00) | ((bgr >> 16) & 0xff);
  return '#' + rgb.toString(16).padStart(6, '0');
}

function faces(mul, div) {
  let image = faceCache.get(`${mul}/${div}`);
  if (!image) {
    const width = wasm.FacesWidth(mul, div), height = wasm.FacesHeight(mul, div);
    // Made first: making them may grow the memory, which replaces its buffer.
    const at = wasm.Faces(mul, div);
    const bytes = new Uint8ClampedArray(wasm.memory.buffer, at, width * height * 4);
    image = new ImageData(new Uint8ClampedArray(bytes), width, height);
    faceCache.set(`${mul}/${div}`, image);
  }
  return image;
}

const page = {
  fill(x, y, width, height, bgr) {
    target.fillStyle = colour(bgr);
    target.fillRect(x, y, width, height);
  },
  face(rank, x, y, mul, div) {
    const image = faces(mul, div), width = image.width / 9;
    target.putImageData(image, x - (rank - 1) * width, y, (rank - 1) * width, 0, width, image.height);
  },
  // On an opaque black box as high as the font, as the other platforms write it.
  text(x, y, ptr, length, pixels) {
    const text = textAt(ptr, length);
    target.font = `bold ${pixels}px Arial, "Liberation Sans", "DejaVu Sans", sans-serif`;
    target.textBaseline = 'top';
    target.fillStyle = '#000000';
    target.fillRect(x, y, Math.ceil(target.measureText(text).width), pixels);
    target.fillStyle = '#ffff00';
    target.fillText(text, x, y);
  },
};

// What the C++ runtime needs of a system: its end, which only an abort reaches.
const system = {
  proc_exit(code) {
    throw new Error(`the module stopped (${code})`);
  },
};

async function fetchModule() {
  const response = await fetch('velkorin.wasm', { credentials: 'same-origin' });
  if (!response.ok) throw new Error(`velkorin.wasm: ${response.status}`);
  return response;
}

export async function loadModule() {
  const imports = { page, env: { emscripten_notify_memory_growth() {} }, wasi_snapshot_preview1: system };
  // Compiled while it downloads where the host says what it is; from its bytes elsewhere.
  const { instance } = await WebAssembly.instantiateStreaming(fetchModule(), imports)
    .catch(async () => WebAssembly.instantiate(await (await fetchModule()).arrayBuffer(), imports));
  wasm = instance.exports;
  wasm._initialize();
  return wasm;
}

// Runs draw with the module's calls going to the canvas's context.
export function drawOn(canvas, draw) {
  target = canvas.getContext('2d', { alpha: false });
  target.imageSmoothingEnabled = false;
  try {
    return draw();
  } finally {
    target = null;
  }
}

// Copies text into the module's buffer and returns its address, NUL-terminated; 0 for a
// text too long for it, which no setting takes, rather than a part of it that one might.
export function passText(text) {
  const bytes = new TextEncoder().encode(text);
  const size = wasm.TextBufferSize();
  if (bytes.length >= size) return 0;
  const buffer = new Uint8Array(wasm.memory.buffer, wasm.TextBuffer(), size);
  buffer.set(bytes);
  buffer[bytes.length] = 0;
  return wasm.TextBuffer();
}

export { cString };

// Sizes a canvas's backing store in device pixels and its box in CSS pixels, so that one
// canvas pixel is one screen pixel.
export function sizeCanvas(canvas, width, height) {
  const ratio = window.devicePixelRatio || 1;
  canvas.width = width;
  canvas.height = height;
  canvas.style.width = `${width / ratio}px`;
  canvas.style.height = `${height / ratio}px`;
}

// The seed a run takes without one: the clock, as the saver reads it.
export function clockSeed() {
  const now = new Date();
  return wasm.ClockSeed(now.getUTCHours(), now.getUTCMinutes(), now.getUTCSeconds(),
    now.getUTCMilliseconds()) >>> 0;
}

// Keeps a value in the browser, or removes it (value undefined). Where storage is refused
// (a private window, a full disk) the page goes on without it.
export function keep(key, value) {
  try {
    if (value === undefined) localStorage.removeItem(key);
    else localStorage.setItem(key, JSON.stringify(value));
  } catch {
    // not kept
  }
}
