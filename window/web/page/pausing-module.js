// How the page's module waits for the browser in the middle of a drawing, and runs its calls
// one at a time, in the order they were made, as a desktop window handles its events.
//
// Where the browser can suspend WebAssembly at an import until a promise settles (JavaScript
// Promise Integration), it suspends the plain module, dragonfold.wasm, which runs at full
// speed. Elsewhere the module is dragonfold-asyncify.wasm, which binaryen's Asyncify made able
// to pause itself: the import starts the promise and unwinds the module's stack into a static
// area; once the promise settles, the call is made again and the stack wound back to the same
// place, where the import returns the promise's value. That costs the fold's every call a
// check, which is why it is the second choice.

export const canSuspend = typeof WebAssembly === 'object' && typeof WebAssembly.Suspending === 'function';

// The module file that this browser runs.
export const moduleFile = canSuspend ? 'dragonfold.wasm' : 'dragonfold-asyncify.wasm';

// Runs the exports name(...args) of one instance, each to its end, after every call made
// before it.
class InOrder {
    #queue = Promise.resolve();

    call(name, ...args) {
        const run = this.#queue.then(() => this.run(name, args));
        this.#queue = run.catch(() => {});
        return run;
    }
}

class SuspendedModule extends InOrder {
    #promising = new Map();
    #exports = null;

    // An import that may pause the module: wait(...args) returns a promise of its value.
    pausing(wait) {
        return new WebAssembly.Suspending(wait);
    }

    attach(exports) {
        this.#exports = exports;
    }

    run(name, args) {
        if (!this.#promising.has(name))
            this.#promising.set(name, WebAssembly.promising(this.#exports[name]));
        return this.#promising.get(name)(...args);
    }
}

const kRewinding = 2;

class UnwindingModule extends InOrder {
    #exports = null;
    #data = 0;
    #pending = null;
    #resumed;

    pausing(wait) {
        return (...args) => {
            const module = this.#exports;
            if (module.asyncify_get_state() === kRewinding) {
                module.asyncify_stop_rewind();
                return this.#resumed;
            }
            this.#pending = wait(...args);
            module.asyncify_start_unwind(this.#data);
            return 0;
        };
    }

    // The static area the module keeps for Asyncify, its first two words set by asyncifyData().
    attach(exports) {
        this.#exports = exports;
        this.#data = exports.asyncifyData();
    }

    async run(name, args) {
        const module = this.#exports;
        let result = module[name](...args);
        while (this.#pending !== null) {
            module.asyncify_stop_unwind();
            const waiting = this.#pending;
            this.#pending = null;
            this.#resumed = await waiting;
            module.asyncify_start_rewind(this.#data);
            result = module[name](...args);
        }
        return result;
    }
}

// Whether the compiled module is the plain one, which only a browser's suspending can pause.
export function needsSuspending(module) {
    return !WebAssembly.Module.exports(module).some((entry) => entry.name === 'asyncify_start_unwind');
}

// The way of pausing that the compiled module was built for.
export function pausingFor(module) {
    return needsSuspending(module) ? new SuspendedModule() : new UnwindingModule();
}
